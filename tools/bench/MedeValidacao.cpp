#include "tools/bench/MedeValidacao.h"

#include "validacao/Validacao.h"

#include <QElapsedTimer>
#include <algorithm>
#include <fstream>
#include <string>
#include <time.h>

namespace bench {

namespace {

double segundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

MedidaValidacao MedeValidacao(const QString& arquivo, int rodadas) {
    MedidaValidacao m;
    // The peak resident size starts again from the current one (Linux), so that what the
    // generation left behind does not count.
    std::ofstream("/proc/self/clear_refs") << "5";
    for (int r = 0; r < std::max(rodadas, 1); ++r) {
        QElapsedTimer relogio;
        relogio.start();
        const double cpu = segundosCpu();
        const validacao::ResultadoValidacao v =
            validacao::ValidaArquivoFCONT(arquivo, QStringLiteral("Tabelas Externas"));
        const double segundos = static_cast<double>(relogio.nsecsElapsed()) * 1e-9;
        if (r == 0 || segundos < m.segundos) {
            m.segundos = segundos;
            m.segundosCpu = segundosCpu() - cpu;
        }
        m.lido = v.lido;
        m.erros = validacao::ContaErros(v.achados);
        m.avisos = validacao::ContaAvisos(v.achados);
    }
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha))
        if (linha.rfind("VmHWM:", 0) == 0)
            m.picoMemoriaKb = std::stoll(linha.substr(6));
    return m;
}

} // namespace bench

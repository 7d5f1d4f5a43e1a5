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

qint64 campoDoStatusKb(const char* campo) {
    std::ifstream status("/proc/self/status");
    std::string linha;
    const std::string nome(campo);
    while (std::getline(status, linha))
        if (linha.rfind(nome, 0) == 0)
            return std::stoll(linha.substr(nome.size()));
    return -1;
}

} // namespace

MedidaValidacao MedeValidacao(const QString& arquivo, int rodadas) {
    MedidaValidacao m;
    // The peak resident size starts again from the current one (Linux), so that what the
    // generation left behind does not count.
    std::ofstream("/proc/self/clear_refs") << "5";
    m.memoriaAntesKb = campoDoStatusKb("VmRSS:");
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
    m.picoMemoriaKb = campoDoStatusKb("VmHWM:");
    return m;
}

} // namespace bench

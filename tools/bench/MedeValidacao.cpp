#include "tools/bench/MedeValidacao.h"

#include "validacao/Validacao.h"

#include <QElapsedTimer>
#include <algorithm>
#include <fstream>
#include <string>

namespace bench {

MedidaValidacao MedeValidacao(const QString& arquivo, int rodadas) {
    MedidaValidacao m;
    // The peak resident size starts again from the current one (Linux), so that what the
    // generation left behind does not count.
    std::ofstream("/proc/self/clear_refs") << "5";
    for (int r = 0; r < std::max(rodadas, 1); ++r) {
        QElapsedTimer relogio;
        relogio.start();
        const validacao::ResultadoValidacao v =
            validacao::ValidaArquivoFCONT(arquivo, QStringLiteral("Tabelas Externas"));
        const double segundos = static_cast<double>(relogio.nsecsElapsed()) * 1e-9;
        m.segundos = r == 0 ? segundos : std::min(m.segundos, segundos);
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

#include "tools/bench/MedeConferencia.h"

#include "conferencia/Conferencia.h"
#include "conferencia/Sugestoes.h"
#include "data/dmFCONT.h"
#include "db/Statement.h"

#include <QElapsedTimer>
#include <algorithm>
#include <time.h>

namespace bench {

namespace {

double segundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

MedidaConferencia mede(int rodadas) {
    MedidaConferencia m;
    for (int r = 0; r < std::max(rodadas, 1); ++r) {
        QElapsedTimer relogio;
        relogio.start();
        const double cpu = segundosCpu();
        const conferencia::ResultadoConferencia c = conferencia::ConfereConjuntoAberto();
        const double segundos = static_cast<double>(relogio.nsecsElapsed()) * 1e-9;
        const double processador = segundosCpu() - cpu;
        relogio.restart();
        const QList<conferencia::Sugestao> s =
            conferencia::SugereReferenciasDoConjuntoAberto(c.semReferencia);
        const double sugestoes = static_cast<double>(relogio.nsecsElapsed()) * 1e-9;
        if (r == 0 || segundos < m.segundos) {
            m.segundos = segundos;
            m.segundosCpu = processador;
            m.segundosSugestoes = sugestoes;
        }
        m.erros = validacao::ContaErros(c.achados);
        m.avisos = validacao::ContaAvisos(c.achados);
        m.semReferencia = static_cast<int>(c.semReferencia.size());
        m.sugestoes = static_cast<int>(s.size());
    }
    return m;
}

} // namespace

MedidasConferencia MedeConferencia(int configuracao, int rodadas) {
    db::Transaction& tr = data::dmFCONT->trBanco;
    MedidasConferencia m;
    m.mapeado = mede(rodadas);
    tr.commitRetaining();
    db::executeImmediate(tr,
                         QStringLiteral("update AUGC80SPAS set COD_CTA_REF = null where SPCODIGO = %1 and "
                                        "COD_CTA_REF is not null and mod(PCCODIGO, 10) = 0")
                             .arg(configuracao));
    try {
        m.comLacunas = mede(rodadas);
    } catch (...) {
        tr.rollbackRetaining();
        throw;
    }
    tr.rollbackRetaining();
    return m;
}

} // namespace bench

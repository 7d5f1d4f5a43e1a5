#include "validacao/Regras.h"

#include <QSet>
#include <utility>

namespace validacao {

namespace {

const QString regra = QStringLiteral("Saldos");
const QString I155 = QStringLiteral("I155");
const QString I355 = QStringLiteral("I355");

// A balance signed by its indicator: debit positive, credit negative.
std::optional<qint64> comSinal(const QString& valor, const QString& indicador) {
    const std::optional<qint64> centavos = CentavosDoArquivo(valor);
    if (!centavos || (indicador != QLatin1String("D") && indicador != QLatin1String("C")))
        return std::nullopt;
    return indicador == QLatin1String("D") ? *centavos : -*centavos;
}

QString comIndicador(qint64 centavos) {
    return TextoDeCentavos(centavos < 0 ? -centavos : centavos) + (centavos > 0   ? QStringLiteral(" D")
                                                                   : centavos < 0 ? QStringLiteral(" C")
                                                                                  : QString());
}

// Each balance line with the period line (I150 or I350) it stands under, in file order.
QList<QPair<const LinhaFCONT*, const LinhaFCONT*>> saldosPorPeriodo(const Contexto& c, const QString& periodo,
                                                                    const QString& saldo) {
    QList<QPair<const LinhaFCONT*, const LinhaFCONT*>> saldos;
    const LinhaFCONT* atual = nullptr;
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        if (linha.registro() == periodo)
            atual = &linha;
        else if (linha.registro() == saldo && c.bemFormada(linha))
            saldos.append(qMakePair(&linha, atual));
    }
    return saldos;
}

} // namespace

void VerificaContasDosSaldos(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    for (const QString& registro : {I155, I355}) {
        const bool resultado = registro == I355;
        for (const LinhaFCONT* linha : c.linhas(registro)) {
            const QString codigo = c.valor(*linha, QLatin1StringView("COD_CTA"));
            const ContaDoPlano* conta = p.conta(codigo);
            QString problema;
            if (!conta)
                problema =
                    QStringLiteral("A conta %1 tem saldo mas não está no plano de contas do arquivo (I050). "
                                   "Página Registro I050: associe a conta.")
                        .arg(codigo);
            else if (!conta->analitica())
                problema =
                    QStringLiteral("A conta %1 é sintética; só as analíticas levam saldo. Corrija em: ")
                        .arg(codigo) +
                    OndeCorrigir(QStringLiteral("I050"), QStringLiteral("IND_CTA"));
            else if (resultado
                         ? conta->natureza != QLatin1String("04")
                         : conta->natureza != QLatin1String("01") && conta->natureza != QLatin1String("02") &&
                               conta->natureza != QLatin1String("03"))
                problema =
                    (resultado ? QStringLiteral("A conta %1 é de natureza %2; o I355 leva só contas de "
                                                "resultado (04). Corrija em: ")
                               : QStringLiteral("A conta %1 é de natureza %2; o I155 leva só contas "
                                                "patrimoniais (01, 02, 03). Corrija em: "))
                        .arg(codigo, conta->natureza) +
                    OndeCorrigir(QStringLiteral("I050"), QStringLiteral("COD_NAT"));
            if (!problema.isEmpty())
                Acha(achados, regra, Gravidade::Erro, linha, registro, QStringLiteral("COD_CTA"), codigo,
                     problema);
        }
    }
}

void VerificaSaldosUnicos(const Contexto& c, Achados& achados) {
    for (const auto& [periodo, saldo] : {std::pair<QString, QString>{QStringLiteral("I150"), I155},
                                         std::pair<QString, QString>{QStringLiteral("I350"), I355}}) {
        QHash<QString, int> vistos;
        const LinhaFCONT* periodoAtual = nullptr;
        for (const auto& [linha, doPeriodo] : saldosPorPeriodo(c, periodo, saldo)) {
            if (doPeriodo != periodoAtual) {
                vistos.clear();
                periodoAtual = doPeriodo;
            }
            const QString codigo = c.valor(*linha, QLatin1StringView("COD_CTA"));
            const QString centro = c.valor(*linha, QLatin1StringView("COD_CCUS"));
            const QString chave = codigo + QLatin1Char('|') + centro;
            const auto anterior = vistos.constFind(chave);
            if (anterior == vistos.constEnd()) {
                vistos.insert(chave, linha->numero);
                continue;
            }
            Acha(achados, regra, Gravidade::Erro, linha, saldo, QStringLiteral("COD_CTA"), codigo,
                 QStringLiteral("A conta %1%2 já tem saldo neste período na linha %3. ")
                         .arg(codigo, centro.isEmpty() ? QString()
                                                       : QStringLiteral(" (centro de custo %1)").arg(centro))
                         .arg(anterior.value()) +
                     QStringLiteral("Corrija em: ") + OndeCorrigir(saldo, {}));
        }
    }
}

void VerificaAritmeticaI155(const Contexto& c, Achados& achados) {
    const int ini = c.posicao(I155, QLatin1StringView("VL_SLD_INI"));
    const int indIni = c.posicao(I155, QLatin1StringView("IND_DC_INI"));
    const int deb = c.posicao(I155, QLatin1StringView("VL_DEB"));
    const int cred = c.posicao(I155, QLatin1StringView("VL_CRED"));
    const int fin = c.posicao(I155, QLatin1StringView("VL_SLD_FIN"));
    const int indFin = c.posicao(I155, QLatin1StringView("IND_DC_FIN"));
    for (const LinhaFCONT* linha : c.linhas(I155)) {
        const QStringList& f = linha->campos;
        const std::optional<qint64> inicial = comSinal(f[ini], f[indIni]);
        const std::optional<qint64> debitos = CentavosDoArquivo(f[deb]);
        const std::optional<qint64> creditos = CentavosDoArquivo(f[cred]);
        const std::optional<qint64> final = comSinal(f[fin], f[indFin]);
        if (!inicial || !debitos || !creditos || !final)
            continue; // the fields' rule names what cannot be read
        const qint64 esperado = *inicial + *debitos - *creditos;
        if (esperado == *final)
            continue;
        const QString codigo = c.valor(*linha, QLatin1StringView("COD_CTA"));
        Acha(achados, regra, Gravidade::Erro, linha, I155, QStringLiteral("VL_SLD_FIN"), codigo,
             QStringLiteral(
                 "O saldo não fecha: inicial %1 + débitos %2 − créditos %3 = %4, mas o saldo final é "
                 "%5 (diferença %6). Corrija em: ")
                     .arg(comIndicador(*inicial), TextoDeCentavos(*debitos), TextoDeCentavos(*creditos),
                          comIndicador(esperado), comIndicador(*final), TextoDeCentavos(*final - esperado)) +
                 OndeCorrigir(I155, {}));
    }
}

void VerificaSomaDosSaldos(const Contexto& c, Achados& achados) {
    if (!c.fim)
        return;
    const int fin = c.posicao(I155, QLatin1StringView("VL_SLD_FIN"));
    const int indFin = c.posicao(I155, QLatin1StringView("IND_DC_FIN"));
    QHash<const LinhaFCONT*, qint64> somas;
    QList<const LinhaFCONT*> periodos;
    for (const auto& [linha, periodo] : saldosPorPeriodo(c, QStringLiteral("I150"), I155)) {
        if (!periodo || !c.bemFormada(*periodo) ||
            DataDoArquivo(c.valor(*periodo, QLatin1StringView("DT_FIN"))) != *c.fim)
            continue;
        const std::optional<qint64> saldo = comSinal(linha->campos[fin], linha->campos[indFin]);
        if (!saldo)
            continue;
        if (!somas.contains(periodo))
            periodos.append(periodo);
        somas[periodo] += *saldo;
    }
    for (const LinhaFCONT* periodo : periodos) {
        const qint64 soma = somas.value(periodo);
        if (soma != 0)
            Acha(achados, regra, Gravidade::Aviso, periodo, QStringLiteral("I150"), QStringLiteral("DT_FIN"),
                 {},
                 QStringLiteral(
                     "Os saldos finais das contas (I155) somam %1 em %2; débitos e créditos deveriam "
                     "se anular. Confira no ERP os saldos do período e as contas patrimoniais "
                     "associadas na página Registro I050; depois, gere de novo.")
                     .arg(comIndicador(soma), c.fim->toString(QStringLiteral("dd/MM/yyyy"))));
    }
}

} // namespace validacao

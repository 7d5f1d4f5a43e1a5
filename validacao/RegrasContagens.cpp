#include "validacao/Regras.h"

#include <QSet>

namespace validacao {

namespace {

const QString regra = QStringLiteral("Contagens");

// The count field of a closing line against what it counts.
void confere(const Contexto& c, Achados& achados, const QString& registro, QLatin1StringView campo,
             int esperado, const QString& oQue) {
    for (const LinhaFCONT* linha : c.linhas(registro)) {
        const QString valor = c.valor(*linha, campo);
        bool ok = false;
        const int escrito = valor.toInt(&ok);
        if (ok && escrito == esperado)
            continue;
        Acha(achados, regra, Gravidade::Erro, linha, registro, QString(campo), {},
             QStringLiteral("%1 diz \"%2\", mas %3 %4. ").arg(QString(campo), valor, oQue).arg(esperado) +
                 RefazerArquivo());
    }
}

} // namespace

void VerificaTotaisDosBlocos(const Contexto& c, Achados& achados) {
    confere(c, achados, QStringLiteral("I990"), QLatin1StringView("QTD_LIN_I"),
            c.linhasDoBloco(QLatin1Char('I')), QStringLiteral("as linhas do bloco I são"));
    confere(c, achados, QStringLiteral("J990"), QLatin1StringView("QTD_LIN_J"),
            c.linhasDoBloco(QLatin1Char('J')), QStringLiteral("as linhas do bloco J são"));
    confere(c, achados, QStringLiteral("M990"), QLatin1StringView("QTD_LIN_M"),
            c.linhasDoBloco(QLatin1Char('M')), QStringLiteral("as linhas do bloco M são"));
}

void VerificaContagens9900(const Contexto& c, Achados& achados) {
    // Every line counts, a broken one too: the counts are of lines.
    auto linhasDe = [&c](const QString& registro) {
        return static_cast<int>(c.todasAsLinhas(registro).size());
    };
    QHash<QString, int> contados; // record -> line of its 9900
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("9900"))) {
        const QString registro = c.valor(*linha, QLatin1StringView("REG_BLC"));
        const QString valor = c.valor(*linha, QLatin1StringView("QTD_REG_BLC"));
        if (contados.contains(registro)) {
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("9900"), QStringLiteral("REG_BLC"),
                 {},
                 QStringLiteral("O registro %1 já foi contado na linha %2. ")
                         .arg(registro)
                         .arg(contados.value(registro)) +
                     RefazerArquivo());
            continue;
        }
        contados.insert(registro, linha->numero);
        bool ok = false;
        const int escrito = valor.toInt(&ok);
        if (!ok || escrito != linhasDe(registro))
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("9900"),
                 QStringLiteral("QTD_REG_BLC"), {},
                 QStringLiteral("A contagem do registro %1 diz \"%2\", mas o arquivo tem %3 linhas dele. ")
                         .arg(registro, valor)
                         .arg(linhasDe(registro)) +
                     RefazerArquivo());
    }
    // The block 9 records themselves get no 9900 row in this program's files.
    static const QStringList semContagem = {QStringLiteral("9001"), QStringLiteral("9900"),
                                            QStringLiteral("9990"), QStringLiteral("9999")};
    QSet<QString> avisados;
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        const QString registro = linha.registro();
        if (!c.leiaute(registro) || semContagem.contains(registro) || contados.contains(registro) ||
            avisados.contains(registro))
            continue;
        avisados.insert(registro);
        Acha(achados, regra, Gravidade::Erro, &linha, registro, {}, {},
             QStringLiteral("O registro %1 não tem a sua linha 9900 de contagem no bloco 9. ").arg(registro) +
                 RefazerArquivo());
    }
}

void VerificaTotal9990(const Contexto& c, Achados& achados) {
    confere(c, achados, QStringLiteral("9990"), QLatin1StringView("QTD_LIN_9"),
            c.linhasDoBloco(QLatin1Char('9')), QStringLiteral("as linhas do bloco 9 são"));
}

void VerificaTotal9999(const Contexto& c, Achados& achados) {
    confere(c, achados, QStringLiteral("9999"), QLatin1StringView("QTD_LIN"),
            static_cast<int>(c.arquivo.linhas.size()), QStringLiteral("as linhas do arquivo são"));
}

} // namespace validacao

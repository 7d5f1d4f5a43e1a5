// The association read once per generation against the per-account statements it replaces:
// the same rows, in the same order and number, for every account.

#include "generation/AssociacaoLida.h"
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "generation/Populacao.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

#include <random>

using namespace testsupport;

namespace {

class AssociacaoLidaTest : public ModuloDadosTest {
protected:
    void carrega(int configuracao) {
        try {
            data::CarregaConfiguracoes(configuracao);
        } catch (const platform::SilentAbort&) {
        }
    }

    // Accounts of the seed's charts and numbers no chart has.
    static std::vector<int> contasPossiveis() {
        std::vector<int> contas;
        for (int c = 95; c <= 215; ++c)
            contas.push_back(c);
        return contas;
    }

    static QString descreve(const generation::LinhasLidas& l) {
        QStringList partes{l.colunas.join(QLatin1Char(','))};
        for (const auto& linha : l.linhas) {
            QStringList valores;
            for (const QVariant& v : linha)
                valores << (v.isNull() ? QStringLiteral("<null>")
                                       : QStringLiteral("%1:%2").arg(QString::fromLatin1(v.typeName()),
                                                                     v.toString()));
            partes << valores.join(QLatin1Char(','));
        }
        return partes.join(QStringLiteral(" / "));
    }

    // Every account gives the same rows (type and value) both ways; returns the accounts compared
    // that had rows, so that a test can tell it compared something.
    int comparaTodas() {
        const QMap<QString, QString> valores = generation::ValoresDoConjunto();
        const generation::AssociacaoLida lida = generation::AssociacaoLida::LeI051(valores);
        const int sp = static_cast<int>(dm->quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger());
        const int empresa = static_cast<int>(dm->quSPED.fieldByName(QStringLiteral("EMPRESA")).asInteger());
        const generation::SuperiorDaAssociacao superior = generation::SuperiorDaAssociacao::Le(sp, empresa);
        int comLinhas = 0;
        for (int conta : contasPossiveis()) {
            const generation::LinhasLidas noBanco = generation::LinhasI051NoBanco(conta, valores);
            const generation::LinhasLidas naMemoria = lida.linhasI051(conta);
            EXPECT_EQ(descreve(naMemoria), descreve(noBanco)) << "I051 of account " << conta;
            EXPECT_EQ(superior.conta(conta), generation::SuperiorDaAssociacaoNoBanco(conta))
                << "superior of " << conta;
            if (!noBanco.linhas.empty())
                ++comLinhas;
        }
        return comLinhas;
    }
};

TEST_F(AssociacaoLidaTest, SeedSetsGiveTheRowsOfThePerAccountStatements) {
    carrega(1);
    EXPECT_GT(comparaTodas(), 10);
    banco->runScript(QStringLiteral("update AUGC80SP set RI051COD_ENT_REF = 'O''' where SPCODIGO = 1;"));
    carrega(1);
    EXPECT_GT(comparaTodas(), 10) << "a quote in the entity code";
}

TEST_F(AssociacaoLidaTest, RandomAssociationTableGivesTheRowsOfThePerAccountStatements) {
    // Duplicates, accounts of no chart, null accounts and referential accounts, other sets and
    // companies, all interleaved, with keys that do not follow the order the rows were written in.
    std::mt19937 sorteio(8051);
    const std::vector<int> contas = contasPossiveis();
    auto de = [&](std::initializer_list<const char*> opcoes) {
        return QString::fromLatin1(*(opcoes.begin() + sorteio() % opcoes.size()));
    };
    QString script = QStringLiteral("delete from AUGC80SPAS;"
                                    "update ACBC15PC set CCCODIGO = 0 where PCCODIGO in (104, 110);"
                                    "update ACBC15PC set CCCODIGO = 2 where PCCODIGO in (105, 111);"
                                    "update AUGC80SP set RI200LCTPGCR = -1 where SPCODIGO = 1;");
    std::vector<int> chaves(400);
    for (size_t i = 0; i < chaves.size(); ++i)
        chaves[i] = static_cast<int>(i) + 1;
    std::shuffle(chaves.begin(), chaves.end(), sorteio);
    for (int chave : chaves) {
        const QString conta =
            sorteio() % 20 == 0 ? QStringLiteral("null") : QString::number(contas[sorteio() % contas.size()]);
        const QString sup =
            sorteio() % 4 == 0 ? QStringLiteral("null") : QString::number(contas[sorteio() % contas.size()]);
        script +=
            QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP, "
                           "COD_CTA_REF) values (%1, %2, %3, %4, %5, %6);")
                .arg(chave)
                .arg(de({"1", "1", "1", "7", "2"}), de({"1", "1", "1", "2", "null"}), conta, sup,
                     de({"null", "'1.01.01.01.00'", "'2.01'", "'3.01.01.01.01'"}));
    }
    // Space freed in the middle of the table is taken by later rows: natural order is not key order.
    script += QStringLiteral("delete from AUGC80SPAS where mod(SPASCODIGO, 7) = 0;");
    for (int chave = 401; chave <= 440; ++chave)
        script +=
            QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP, "
                           "COD_CTA_REF) values (%1, 1, 1, %2, %3, '9.%1');")
                .arg(chave)
                .arg(contas[sorteio() % contas.size()])
                .arg(contas[sorteio() % contas.size()]);
    banco->runScript(script);
    carrega(1);
    EXPECT_GT(comparaTodas(), 30);
}

} // namespace

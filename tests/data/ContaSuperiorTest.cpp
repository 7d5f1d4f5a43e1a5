#include "data/ContaSuperior.h"
#include "data/Carregamento.h"
#include "data/uFCONT.h"
#include "db/Statement.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

#include <random>

using namespace testsupport;

namespace {

TEST(ComparaComoBanco, PadsTheShorterTextWithBlanks) {
    EXPECT_EQ(data::ComparaComoBanco(QStringLiteral("AB"), QStringLiteral("AB  ")), 0);
    EXPECT_LT(data::ComparaComoBanco(QStringLiteral("AB"), QStringLiteral("ABC")), 0);
    EXPECT_GT(data::ComparaComoBanco(QStringLiteral("AB"), QStringLiteral("AB\x01")), 0);
    EXPECT_LT(data::ComparaComoBanco(QStringLiteral("1101"), QStringLiteral("2")), 0);
}

TEST(NivelDaConta, ReadsIntegersAndCountsAnythingElseAsEight) {
    EXPECT_EQ(data::NivelDaConta(QStringLiteral("1")), 1);
    EXPECT_EQ(data::NivelDaConta(QStringLiteral("01")), 1);
    EXPECT_EQ(data::NivelDaConta(QStringLiteral(" 3")), 3);
    EXPECT_EQ(data::NivelDaConta(QStringLiteral("A")), 8);
    EXPECT_EQ(data::NivelDaConta(QStringLiteral(" ")), 8);
    EXPECT_EQ(data::NivelDaConta(QStringLiteral("2 ")), 8);
}

class ContaSuperior : public ModuloDadosTest {
protected:
    QString superiorDe(const char* ordenacao) {
        QString tipo;
        platform::Query& q = dm->quAux;
        q.close();
        q.setSql(
            QStringLiteral("select PCCODIGO, PCTIPO from ACBC15PC where PACODIGO = 1 and PCORDENACAO = '%1'")
                .arg(QLatin1String(ordenacao)));
        q.open();
        EXPECT_FALSE(q.isEmpty()) << ordenacao;
        const int pcCodigo = static_cast<int>(q.fieldByName(QStringLiteral("PCCODIGO")).asInteger());
        tipo = q.fieldByName(QStringLiteral("PCTIPO")).asString();
        q.close();
        const QString rapido = data::RetornaContaSuperior(pcCodigo, tipo);
        EXPECT_EQ(rapido, data::RetornaContaSuperiorNoBanco(pcCodigo, tipo)) << ordenacao;
        return rapido;
    }

    void abreConjunto() {
        data::CarregaDadosSPEDFCONT(1);
        ASSERT_EQ(dm->quSPED.recordCount(), 1);
    }
};

TEST_F(ContaSuperior, SeedChartGetsTheSuperiorOfEveryKindOfAccount) {
    abreConjunto();
    EXPECT_EQ(superiorDe("1"), QString()) << "level 1 has no superior";
    EXPECT_EQ(superiorDe("11"), QStringLiteral("1"));
    EXPECT_EQ(superiorDe("1101"), QStringLiteral("11"));
    EXPECT_EQ(superiorDe("1101001"), QStringLiteral("1101")) << "analytic: nearest synthetic before it";

    // Every account of the chart, both ways.
    platform::Query& q = dm->quAux1;
    q.setSql(QStringLiteral("select PCCODIGO, PCTIPO from ACBC15PC where PACODIGO = 1"));
    q.open();
    int contas = 0;
    for (; !q.eof() && !q.isEmpty(); q.next(), ++contas) {
        const int pc = static_cast<int>(q.fieldByName(QStringLiteral("PCCODIGO")).asInteger());
        const QString tipo = q.fieldByName(QStringLiteral("PCTIPO")).asString();
        EXPECT_EQ(data::RetornaContaSuperior(pc, tipo), data::RetornaContaSuperiorNoBanco(pc, tipo)) << pc;
    }
    EXPECT_GT(contas, 20);
    EXPECT_EQ(data::RetornaContaSuperior(999999, QStringLiteral("A")), QString()) << "unknown account";
}

TEST_F(ContaSuperior, RandomChartGivesTheSameAnswersAsTheDatabase) {
    abreConjunto();
    // A chart of a few thousand accounts of company 9 with repeated codes, trailing blanks,
    // non-numeric and blank levels, and codes of every length.
    std::mt19937 gerador(20261208);
    const char* niveis[] = {"1", "2", "3", "4", "5", "0", "A", " ", "9"};
    QStringList insercoes;
    const int total = 3000;
    for (int i = 0; i < total; ++i) {
        QString codigo;
        const int tamanho = 1 + static_cast<int>(gerador() % 7);
        for (int c = 0; c < tamanho; ++c)
            codigo += QChar('0' + static_cast<int>(gerador() % 4));
        if (gerador() % 10 == 0)
            codigo += QLatin1Char(' ');
        const char* nivel = niveis[gerador() % 9];
        const char* tipo = gerador() % 3 == 0 ? "A" : "S";
        insercoes
            << QStringLiteral(
                   "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCNIVEL, PCTIPO, PCDESCRICAO) "
                   "values (9, %1, '%2', '%3', '%4', 'Conta %1');")
                   .arg(100000 + i)
                   .arg(codigo, QLatin1String(nivel), QLatin1String(tipo));
    }
    banco->runScript(insercoes.join('\n'));
    dm->quSPED.edit();
    dm->quSPED.fieldByName(QStringLiteral("EMPRESA")).setValue(9);

    // Rows that tie on code (up to trailing blanks) and level come back in an order the database
    // does not fix, so "1" and "1 " are the same answer; written to the file they are trimmed.
    int diferentes = 0, naoVazios = 0;
    for (int i = 0; i < total; i += 7) {
        for (const char* tipo : {"A", "S"}) {
            const QString rapido = data::RetornaContaSuperior(100000 + i, QLatin1String(tipo));
            const QString lento = data::RetornaContaSuperiorNoBanco(100000 + i, QLatin1String(tipo));
            if (data::ComparaComoBanco(rapido, lento) != 0 && ++diferentes < 5)
                ADD_FAILURE() << "account " << 100000 + i << " kind " << tipo << ": " << rapido.toStdString()
                              << " vs " << lento.toStdString();
            naoVazios += !rapido.isEmpty();
        }
    }
    EXPECT_EQ(diferentes, 0);
    EXPECT_GT(naoVazios, total / 7) << "the comparison must not be between empty answers only";
    dm->quSPED.cancel();
}

} // namespace

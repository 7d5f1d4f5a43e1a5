// Loading the company's chart into the association rows, copying another set's rows, deleting
// them and the two grid statements, on the seed database.

#include "data/PlanoContas.h"
#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "data/Carregamento.h"
#include "data/Esquema.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

const QString sucessoECD = QStringLiteral("Importação do Plano Referenciado ECD executada com sucesso!");
const QString erroECD = QStringLiteral("Erro: ao importar Plano de Contas Referenciado.\r");

// Keeps every distinct text the prompt's detail line took, in order.
class PromptGravado : public common::MemoPrompt {
public:
    void setLines(const QStringList& lines) override {
        if (lines.size() > 0 && !lines[0].isEmpty() &&
            (principais.isEmpty() || principais.last() != lines[0]))
            principais << lines[0];
        if (lines.size() > 1 && !lines[1].isEmpty() && (detalhes.isEmpty() || detalhes.last() != lines[1]))
            detalhes << lines[1];
        MemoPrompt::setLines(lines);
    }
    QStringList principais, detalhes;
};

class PlanoContas : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        dm->prompt = &prompt;
    }

    void TearDown() override {
        if (dm)
            dm->prompt = nullptr;
        ModuloDadosTest::TearDown();
    }

    void altera(const QString& script) {
        for (platform::Query* q : {&dm->quSPED, &dm->quEmpresaProc, &dm->quPlanoCtb, &dm->quCcus,
                                   &dm->quRegI050I051, &dm->quRegJ930old})
            q->close();
        ASSERT_TRUE(data::ExecutaScript(script)) << script.toStdString();
    }

    void carrega() {
        ASSERT_TRUE(data::CarregaConfiguracoes(1));
        caixas->get().clear();
    }

    int conta(const QString& condicao) {
        return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                         QStringLiteral(" where ") + condicao, dm->quExec);
    }

    // Every column of the rows a statement reads, one text per row.
    QStringList linhas(const QString& sql, const QStringList& semColunas = {}) {
        platform::Query& q = dm->quAux;
        q.close();
        q.setSql(sql);
        q.open();
        QStringList resultado;
        for (q.first(); !q.eof(); q.next()) {
            QStringList valores;
            for (const platform::Field* f : q.fields())
                if (!semColunas.contains(f->name()))
                    valores << f->name() + QLatin1Char('=') +
                                   (f->isNull() ? QStringLiteral("<null>") : f->asString());
            resultado << valores.join(QLatin1Char(' '));
        }
        q.close();
        return resultado;
    }

    PromptGravado prompt;
};

// Company 3 gets a chart of three accounts, the first of them already associated in set 1.
const char* planoDeTres =
    "update AUGC80SP set EMPRESA = 3 where SPCODIGO = 1;"
    "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO) "
    "values (3, 301, '1', 'ATIVO', '1', 'S');"
    "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO) "
    "values (3, 302, '11', 'CIRCULANTE', '2', 'S');"
    "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO) "
    "values (3, 303, '1101', 'Caixa', '3', 'A');"
    "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (100, 1, 3, 301);";

TEST_F(PlanoContas, LoadingCreatesTheMissingRowsOnceWithTheCountersOfEachAccount) {
    altera(QString::fromLatin1(planoDeTres));
    carrega();
    const int linhasAntes = dm->quRegI050I051.recordCount();

    data::CarregaPlanoContas();
    EXPECT_EQ(prompt.principais,
              QStringList{QStringLiteral("SPED>Iniciando Importação do Plano de Contas...")});
    EXPECT_EQ(prompt.detalhes, (QStringList{QStringLiteral("SPED>Carregando Conta 0 de 3"),
                                            QStringLiteral("SPED>Carregando Conta 1 de 3"),
                                            QStringLiteral("SPED>Carregando Conta 2 de 3"),
                                            QStringLiteral("SPED>2/3 novas contas criadas!")}));
    EXPECT_TRUE(caixas->get().texts().isEmpty());
    EXPECT_EQ(linhas(QStringLiteral("select SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP, COD_AGL, "
                                    "J150IND_VL, COD_CTA_REF from AUGC80SPAS where PACODIGO = 3 order by 1")),
              (QStringList{
                  QStringLiteral(
                      "SPASCODIGO=100 SPCODIGO=1 PACODIGO=3 PCCODIGO=301 PCCODIGOSUP=<null> COD_AGL=<null> "
                      "J150IND_VL=<null> COD_CTA_REF=<null>"),
                  QStringLiteral(
                      "SPASCODIGO=101 SPCODIGO=1 PACODIGO=3 PCCODIGO=302 PCCODIGOSUP=<null> COD_AGL=<null> "
                      "J150IND_VL=<null> COD_CTA_REF=<null>"),
                  QStringLiteral(
                      "SPASCODIGO=102 SPCODIGO=1 PACODIGO=3 PCCODIGO=303 PCCODIGOSUP=<null> COD_AGL=<null> "
                      "J150IND_VL=<null> COD_CTA_REF=<null>")}));
    // The new rows show at once with the account's data read back.
    platform::Query& grade = dm->quRegI050I051;
    ASSERT_EQ(grade.recordCount(), linhasAntes + 2);
    EXPECT_EQ(
        grade.valueAt(grade.recordCount() - 1, grade.fieldByName(QStringLiteral("PCDESCRICAO")).index()),
        QVariant(QStringLiteral("Caixa")));

    prompt.detalhes.clear();
    data::CarregaPlanoContas();
    EXPECT_EQ(prompt.detalhes.last(), QStringLiteral("SPED>0/3 novas contas criadas!"));
    EXPECT_EQ(conta(QStringLiteral("PACODIGO = 3")), 3);
}

TEST_F(PlanoContas, LoadingWithTheRowsClosedFailsAtTheFirstInsertion) {
    altera(QString::fromLatin1(planoDeTres));
    carrega();
    dm->quRegI050I051.close();
    EXPECT_ANY_THROW(data::CarregaPlanoContas());
    EXPECT_EQ(conta(QStringLiteral("PACODIGO = 3")), 1);
}

// Set 7's three rows get the keys 38 to 40 (set 1's last three rows go), and columns of their own
// in every field, so that the copy has something to carry.
const char* origemDeTres = "delete from AUGC80SPAS where SPASCODIGO between 38 and 40;"
                           "update AUGC80SPAS set SPASCODIGO = SPASCODIGO - 3, COD_AGL = 'AG' || PCCODIGO, "
                           "J150IND_VL = 'D', PCCODIGOSUP = 103, SPRFCODIGO = 9 where SPCODIGO = 7;";

TEST_F(PlanoContas, CopyFromAnotherSetGivesTheNextKeysAndTheOpenSetAndKeepsEveryOtherColumn) {
    altera(QString::fromLatin1(origemDeTres));
    carrega();
    const QStringList ordemDaOrigem = linhas(QStringLiteral("select * from AUGC80SPAS where SPCODIGO = 7"),
                                             {QStringLiteral("SPASCODIGO"), QStringLiteral("SPCODIGO")});

    data::ImportaPlanoContasECD(QStringLiteral("7"));
    EXPECT_EQ(caixas->get().texts(), QStringList{sucessoECD});
    EXPECT_EQ(
        linhas(QStringLiteral(
            "select SPASCODIGO, SPCODIGO from AUGC80SPAS where SPCODIGO = 1 and SPASCODIGO > 37 order by 1")),
        (QStringList{QStringLiteral("SPASCODIGO=41 SPCODIGO=1"), QStringLiteral("SPASCODIGO=42 SPCODIGO=1"),
                     QStringLiteral("SPASCODIGO=43 SPCODIGO=1")}));
    EXPECT_EQ(linhas(QStringLiteral("select * from AUGC80SPAS where SPASCODIGO > 40 order by SPASCODIGO"),
                     {QStringLiteral("SPASCODIGO"), QStringLiteral("SPCODIGO")}),
              ordemDaOrigem);
    EXPECT_EQ(prompt.detalhes.last(), QStringLiteral("SPED>Carregando Conta 3 de 3"));
    EXPECT_EQ(dm->quRegI050I051.recordCount(), 40) << "the grid was reopened with the copies";
}

TEST_F(PlanoContas, CopyOfTheOpenSetIntoItselfDoublesItsRowsAndAnEmptySourceStillSucceeds) {
    carrega();
    data::ImportaPlanoContasECD(QStringLiteral("1"));
    EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 1")), 80);
    EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 1 and SPASCODIGO > 43")), 40);
    caixas->get().clear();

    data::ImportaPlanoContasECD(QStringLiteral("0"));
    EXPECT_EQ(caixas->get().texts(), QStringList{sucessoECD});
    EXPECT_EQ(conta(QStringLiteral("1 = 1")), 83);
}

TEST_F(PlanoContas, CancelledOrInvalidSourceCopiesNothing) {
    carrega();
    caixas->get().answerNextInput(std::nullopt);
    data::ImportarPlanoContasECD();
    ASSERT_EQ(caixas->get().boxes().size(), 1);
    const platform::ScriptedDialogs::Box& pergunta = caixas->get().boxes().first();
    EXPECT_EQ(pergunta.title, QStringLiteral("Importação Plano Contas ECD"));
    EXPECT_EQ(pergunta.text,
              QStringLiteral("Informe o Código da Configuração SPED ECD \rpara importação do Plano "
                             "de Contas Referenciado."));
    EXPECT_EQ(pergunta.defaultText, QStringLiteral("1"));
    EXPECT_EQ(conta(QStringLiteral("1 = 1")), 43);
    caixas->get().clear();

    caixas->get().answerNextInput(QStringLiteral("sete"));
    EXPECT_THROW(data::ImportarPlanoContasECD(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts().mid(1),
              QStringList{QStringLiteral("Aviso: Código da Configuração ECD é inválido!")});
    EXPECT_EQ(conta(QStringLiteral("1 = 1")), 43);
    caixas->get().clear();

    // A cancel request left over from an earlier run stops the copy before its first row.
    dm->Cancelado = true;
    EXPECT_THROW(data::ImportaPlanoContasECD(QStringLiteral("7")), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(), QStringList{erroECD + QStringLiteral("Operation aborted")});
    EXPECT_EQ(conta(QStringLiteral("1 = 1")), 43);
}

TEST_F(PlanoContas, FailureOnTheSecondRowKeepsTheFirstCopyAndLeavesTheGridAlone) {
    altera(QStringLiteral(
        "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (44, 7, 1, 107);"
        "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (45, 7, 1, 109);"
        "create exception E_COPIA 'segunda copia recusada';"
        "set term ^ ;"
        "create trigger AUGC80SPAS_TESTE for AUGC80SPAS before insert as begin "
        "if (new.SPCODIGO = 1 and exists(select 1 from AUGC80SPAS where SPCODIGO = 1 and SPASCODIGO > 45)) "
        "then exception E_COPIA; end^"
        "set term ; ^"));
    carrega();
    const int linhasDaGrade = dm->quRegI050I051.recordCount();

    EXPECT_THROW(data::ImportaPlanoContasECD(QStringLiteral("7")), platform::SilentAbort);
    EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 1 and SPASCODIGO > 45")), 1);
    const QStringList vistas = caixas->get().texts();
    ASSERT_EQ(vistas.size(), 1);
    EXPECT_TRUE(vistas[0].startsWith(erroECD)) << vistas[0].toStdString();
    EXPECT_TRUE(vistas[0].contains(QStringLiteral("segunda copia recusada"))) << vistas[0].toStdString();
    EXPECT_FALSE(dm->quLaco.active());
    EXPECT_EQ(dm->quRegI050I051.recordCount(), linhasDaGrade);
}

TEST_F(PlanoContas, FilterShowsOnlyUnreferencedRowsAndDeletionTakesOnlyTheSetsCompany) {
    altera(QStringLiteral(
        "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (50, 1, 2, 101);"
        "update AUGC80SPAS set COD_CTA_REF = '1.01' where SPASCODIGO = 50;"));
    carrega();
    data::AbreAssociacoes(true);
    platform::Query& grade = dm->quRegI050I051;
    ASSERT_GT(grade.recordCount(), 0);
    const int tipo = grade.fieldByName(QStringLiteral("PCTIPO")).index();
    for (int i = 0; i < grade.recordCount(); ++i)
        EXPECT_EQ(grade.valueAt(i, tipo).toString(), QStringLiteral("S")) << i;
    EXPECT_EQ(grade.recordCount(), 23);

    const QString filtrada = grade.sql();
    caixas->get().answerNext(QStringLiteral("Não"));
    data::ExcluiPlanoContas(false);
    EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 1")), 41);
    EXPECT_EQ(grade.sql(), filtrada) << "the grid was not reopened";

    caixas->get().answerNext(QStringLiteral("Sim"));
    data::ExcluiPlanoContas(false);
    EXPECT_EQ(caixas->get().boxes().last().text,
              QStringLiteral("Você realmente deseja excluir o plano de contas?"));
    EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 1")), 1) << "the row of company 2 stays";
    EXPECT_TRUE(grade.active());
    EXPECT_EQ(grade.recordCount(), 1) << "all rows of the set are shown again";
}

} // namespace

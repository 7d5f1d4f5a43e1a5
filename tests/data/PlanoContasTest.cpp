// Loading the company's chart into the association rows, copying another set's rows, deleting
// them and the two grid statements, on the seed database.

#include "data/PlanoContas.h"
#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "data/CargaEmLotes.h"
#include "data/Carregamento.h"
#include "data/Esquema.h"
#include "data/PlanoContasLinhaALinha.h"
#include "db/Statement.h"
#include "platform/Abort.h"
#include "platform/EventLoop.h"
#include "tests/support/ModuloDados.h"
#include "tests/support/PlanoGrande.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <set>

using namespace testsupport;

namespace {

const QString sucessoECD = QStringLiteral("Importação do Plano Referenciado ECD executada com sucesso!");
const QString erroECD = QStringLiteral("Erro: ao importar Plano de Contas Referenciado.\r");

// Keeps every distinct text the prompt's detail line took, in order; `aoMudarDetalhe` sees each
// new one as it appears.
class PromptGravado : public common::MemoPrompt {
public:
    void setLines(const QStringList& lines) override {
        if (lines.size() > 0 && !lines[0].isEmpty() &&
            (principais.isEmpty() || principais.last() != lines[0]))
            principais << lines[0];
        if (lines.size() > 1 && !lines[1].isEmpty() && (detalhes.isEmpty() || detalhes.last() != lines[1])) {
            detalhes << lines[1];
            if (aoMudarDetalhe)
                aoMudarDetalhe(lines[1]);
        }
        MemoPrompt::setLines(lines);
    }
    QStringList principais, detalhes;
    std::function<void(const QString&)> aoMudarDetalhe;
};

// The count a "Carregando Conta N de M" line shows, -1 for any other line.
int contadoNa(const QString& linha) {
    static const QRegularExpression carregando(QStringLiteral("^SPED>Carregando Conta (\\d+) de \\d+$"));
    const QRegularExpressionMatch m = carregando.match(linha);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

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

    // Every row of the grid's dataset, every stored field, in the grid's order.
    QStringList linhasDaGrade() {
        const platform::Query& q = dm->quRegI050I051;
        QStringList resultado;
        for (int i = 0; i < q.recordCount(); ++i) {
            QStringList valores;
            for (const platform::Field* f : q.fields())
                if (!f->calculated())
                    valores << f->name() + QLatin1Char('=') + q.valueAt(i, f->index()).toString();
            resultado << valores.join(QLatin1Char(' '));
        }
        return resultado;
    }

    int maiorChave() {
        return common::BuscaValorInteiro(QStringLiteral("max(SPASCODIGO)"), QStringLiteral("AUGC80SPAS"),
                                         QString(), dm->quExec);
    }

    // What a run left: the whole association table, the grid, the prompt and the boxes.
    struct Resultado {
        QStringList tabela, grade, principais, detalhes, caixas;
    };

    // Runs one routine over the database as it is and returns what it left; the rows it added go
    // again afterwards, so the next routine starts from the same state.
    Resultado executa(const std::function<void()>& rotina) {
        carrega();
        const int antes = maiorChave();
        prompt.MemoPrompt::setLines({});
        prompt.principais.clear();
        prompt.detalhes.clear();
        caixas->get().clear();
        try {
            rotina();
        } catch (const platform::SilentAbort&) {
        }
        Resultado r{linhas(QStringLiteral("select * from AUGC80SPAS order by SPASCODIGO")), linhasDaGrade(),
                    prompt.principais, prompt.detalhes, caixas->get().texts()};
        altera(QStringLiteral("delete from AUGC80SPAS where SPASCODIGO > %1;").arg(antes));
        return r;
    }

    void comparaResultados(const Resultado& referencia, const Resultado& linear) {
        // One text per list, so that a failure shows the lines that differ.
        auto texto = [](const QStringList& l) { return l.join(QLatin1Char('\n')).toStdString(); };
        EXPECT_EQ(texto(linear.tabela), texto(referencia.tabela));
        EXPECT_EQ(texto(linear.grade), texto(referencia.grade));
        EXPECT_EQ(texto(linear.principais), texto(referencia.principais));
        EXPECT_EQ(texto(linear.detalhes), texto(referencia.detalhes));
        EXPECT_EQ(texto(linear.caixas), texto(referencia.caixas));
    }

    PromptGravado prompt;
};

QString textoOuNulo(const QString& texto) {
    return texto.isEmpty() ? QStringLiteral("null") : QLatin1Char('\'') + texto + QLatin1Char('\'');
}

// A chart of company 3 and association rows around it, from a seed: accounts in an order of
// their own (keys shuffled against the ordering codes, some without a code), rows of set 1
// present for some accounts (one twice, one without an account), rows of set 7, of company 2
// and of set 8 interleaved, keys with gaps and the highest key in set 8.
QString cenarioAleatorio(unsigned semente) {
    std::mt19937 sorteio(semente);
    auto ate = [&sorteio](int n) { return static_cast<int>(sorteio() % static_cast<unsigned>(n)); };
    QString script = QStringLiteral("update AUGC80SP set EMPRESA = 3 where SPCODIGO = 1;");
    const int contas = 150 + ate(100);
    std::vector<int> chavesDeConta(static_cast<size_t>(contas));
    std::iota(chavesDeConta.begin(), chavesDeConta.end(), 300);
    std::shuffle(chavesDeConta.begin(), chavesDeConta.end(), sorteio);
    QStringList ordenacoes;
    for (int i = 0; i < contas; ++i) {
        QString codigo;
        do {
            codigo.clear();
            for (int d = 0, n = 1 + ate(7); d < n; ++d)
                codigo += QChar(u'0' + ate(10));
        } while (ordenacoes.contains(codigo));
        ordenacoes << codigo;
        script +=
            QStringLiteral("insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, "
                           "PCTIPO) values (3, %1, %2, 'Conta %3', '%4', '%5');")
                .arg(chavesDeConta[static_cast<size_t>(i)])
                .arg(ate(12) == 0 ? QStringLiteral("null") : textoOuNulo(codigo))
                .arg(i)
                .arg(1 + ate(4))
                .arg(ate(3) == 0 ? QLatin1Char('S') : QLatin1Char('A'));
    }
    struct Linha {
        int conjunto, empresa;
        QString conta;
    };
    std::vector<Linha> linhas;
    auto algumaConta = [&] { return QString::number(chavesDeConta[static_cast<size_t>(ate(contas))]); };
    for (int i = 0; i < contas; ++i) {
        const QString conta = QString::number(chavesDeConta[static_cast<size_t>(i)]);
        if (ate(3) == 0)
            linhas.push_back({1, 3, conta});
        if (ate(5) == 0)
            linhas.push_back({7, 3, conta});
        if (ate(6) == 0)
            linhas.push_back({1, 2, algumaConta()});
    }
    linhas.push_back({1, 3, linhas.front().conta});
    linhas.push_back({1, 3, QStringLiteral("null")});
    std::shuffle(linhas.begin(), linhas.end(), sorteio);
    int chave = 43;
    for (const Linha& l : linhas) {
        chave += 1 + (ate(4) == 0 ? ate(20) : 0);
        script += QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) "
                                 "values (%1, %2, %3, %4);")
                      .arg(chave)
                      .arg(l.conjunto)
                      .arg(l.empresa)
                      .arg(l.conta);
    }
    // The set's own highest key has free keys after it: a loading that took the next key of the
    // set instead of the table's would store there without a collision to set it right.
    script += QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) "
                             "values (%1, 1, 2, %2);")
                  .arg(chave + 2)
                  .arg(algumaConta());
    script += QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) "
                             "values (%1, 8, 5, 1);")
                  .arg(chave + 50 + ate(50));
    return script;
}

// Set 9 gets rows with a value in every column (some of them null), keys with gaps among rows of
// other sets.
QString origemAleatoria(unsigned semente) {
    std::mt19937 sorteio(semente);
    auto ate = [&sorteio](int n) { return static_cast<int>(sorteio() % static_cast<unsigned>(n)); };
    auto talvez = [&](const QString& valor) { return ate(4) == 0 ? QStringLiteral("null") : valor; };
    QString script;
    int chave = 43;
    for (int i = 0, n = 60 + ate(60); i < n; ++i) {
        chave += 1 + ate(3);
        const bool daOrigem = ate(4) != 0;
        script +=
            QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP, "
                           "SPRFCODIGO, COD_CTA_REF, COD_AGL, J150IND_VL) values (%1, %2, %3, %4, %5, %6, "
                           "%7, %8, %9);")
                .arg(chave)
                .arg(daOrigem ? 9 : 1 + ate(8))
                .arg(talvez(QString::number(1 + ate(3))))
                .arg(talvez(QString::number(100 + ate(40))))
                .arg(talvez(QString::number(100 + ate(40))))
                .arg(talvez(QString::number(ate(9))))
                .arg(talvez(QStringLiteral("'1.0%1'").arg(ate(10))))
                .arg(talvez(QStringLiteral("'AG%1'").arg(ate(1000))))
                .arg(talvez(QStringLiteral("'%1'").arg(QLatin1Char("DRP"[ate(3)]))));
    }
    return script;
}

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
    EXPECT_THROW(data::ImportaPlanoContasECD(QStringLiteral("7")), platform::UserCancel);
    EXPECT_TRUE(caixas->get().texts().isEmpty()) << "a cancel shows no box";
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

// The per-row statements are the reference: the loading must leave the same rows, keys, grid and
// prompt lines on charts and tables of every shape.
TEST_F(PlanoContas, LoadingLeavesTheRowsKeysGridAndLinesOfThePerRowStatements) {
    for (const unsigned semente : {17u, 2026u, 9091u}) {
        SCOPED_TRACE(semente);
        altera(QStringLiteral(
                   "delete from AUGC80SPAS where SPASCODIGO > 43; delete from ACBC15PC where PACODIGO = 3;") +
               cenarioAleatorio(semente));
        const Resultado referencia = executa([] { data::CarregaPlanoContasLinhaALinha(); });
        const Resultado linear = executa([] { data::CarregaPlanoContas(); });
        comparaResultados(referencia, linear);
        ASSERT_GT(referencia.detalhes.size(), 10);
        EXPECT_TRUE(referencia.detalhes.last().endsWith(QStringLiteral(" novas contas criadas!")));
        // Keys follow the highest key of the whole table, which set 8 holds.
        const int maior = maiorChave();
        EXPECT_EQ(conta(QStringLiteral("SPCODIGO = 8 and SPASCODIGO = %1").arg(maior)), 1);
        const int criadas = contadoNa(referencia.detalhes.at(referencia.detalhes.size() - 2));
        ASSERT_GT(criadas, 0);
        EXPECT_TRUE(
            referencia.tabela.last().startsWith(QStringLiteral("SPASCODIGO=%1 ").arg(maior + criadas)))
            << referencia.tabela.last().toStdString();
    }
}

TEST_F(PlanoContas, CopyLeavesTheRowsKeysAndLinesOfThePerRowStatements) {
    for (const unsigned semente : {5u, 808u}) {
        SCOPED_TRACE(semente);
        altera(QStringLiteral("delete from AUGC80SPAS where SPASCODIGO > 43;") + origemAleatoria(semente));
        const Resultado referencia =
            executa([] { data::ImportaPlanoContasECDLinhaALinha(QStringLiteral("9")); });
        const Resultado linear = executa([] { data::ImportaPlanoContasECD(QStringLiteral("9")); });
        comparaResultados(referencia, linear);
        EXPECT_EQ(referencia.caixas, QStringList{sucessoECD});
        EXPECT_GT(referencia.detalhes.size(), 40);
    }
}

TEST_F(PlanoContas, KeyTakenByAnotherUserIsPassedAndNoRowIsLost) {
    // Loading: another user holds key 102 in a transaction not committed yet, so the highest key
    // read does not show it.
    altera(QString::fromLatin1(planoDeTres));
    carrega();
    db::Attachment outra = banco->connect();
    db::Transaction outraTransacao(outra);
    db::executeImmediate(outraTransacao,
                         QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, "
                                        "PCCODIGO) values (102, 8, 5, 1)"));
    data::CarregaPlanoContas();
    outraTransacao.commit();
    EXPECT_EQ(prompt.detalhes.last(), QStringLiteral("SPED>2/3 novas contas criadas!"));
    EXPECT_EQ(
        linhas(QStringLiteral("select SPASCODIGO, SPCODIGO, PCCODIGO from AUGC80SPAS where SPASCODIGO > 99 "
                              "order by 1")),
        (QStringList{QStringLiteral("SPASCODIGO=100 SPCODIGO=1 PCCODIGO=301"),
                     QStringLiteral("SPASCODIGO=101 SPCODIGO=1 PCCODIGO=302"),
                     QStringLiteral("SPASCODIGO=102 SPCODIGO=8 PCCODIGO=1"),
                     QStringLiteral("SPASCODIGO=103 SPCODIGO=1 PCCODIGO=303")}));

    // Copy: another user stores key 42 and commits it while the first row is being copied.
    altera(QStringLiteral("delete from AUGC80SPAS where SPASCODIGO > 43;") +
           QString::fromLatin1(origemDeTres));
    carrega();
    int chamadas = 0;
    platform::setPendingEventsHook([&] {
        if (++chamadas != 2)
            return;
        db::Transaction t(outra);
        db::executeImmediate(
            t, QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) "
                              "values (42, 8, 5, 2)"));
        t.commit();
    });
    data::ImportaPlanoContasECD(QStringLiteral("7"));
    platform::setPendingEventsHook({});
    EXPECT_EQ(caixas->get().texts(), QStringList{sucessoECD});
    EXPECT_EQ(linhas(QStringLiteral(
                  "select SPASCODIGO, SPCODIGO from AUGC80SPAS where SPASCODIGO > 40 order by 1")),
              (QStringList{
                  QStringLiteral("SPASCODIGO=41 SPCODIGO=1"), QStringLiteral("SPASCODIGO=42 SPCODIGO=8"),
                  QStringLiteral("SPASCODIGO=43 SPCODIGO=1"), QStringLiteral("SPASCODIGO=44 SPCODIGO=1")}));
}

TEST_F(PlanoContas, SecondLoadingOfTheSameSetStopsAtOnceWhileTheFirstHoldsIt) {
    altera(QString::fromLatin1(planoDeTres));
    carrega();
    db::Attachment outra = banco->connect();
    {
        // Another program's loading holds set 1.
        const data::TravaDoConjunto outroCarregamento(outra, 1);
        EXPECT_THROW(data::CarregaPlanoContas(), platform::SilentAbort);
        EXPECT_EQ(caixas->get().texts(), QStringList{data::avisoCargaEmAndamento});
        EXPECT_TRUE(data::avisoCargaEmAndamento.startsWith(QStringLiteral("Aviso: ")));
        EXPECT_EQ(conta(QStringLiteral("PACODIGO = 3")), 1);
        // Another set is not held.
        const data::TravaDoConjunto outroConjunto(dm->dbBanco.attachment(), 7);
    }
    caixas->get().clear();

    // While this loading runs, the set is held against the other program, and the rows it commits
    // are seen there; once it ends the set is free.
    QStringList vistas;
    prompt.aoMudarDetalhe = [&](const QString&) {
        if (!vistas.isEmpty())
            return;
        try {
            const data::TravaDoConjunto durante(outra, 1);
            vistas << QStringLiteral("livre");
        } catch (const platform::SilentAbort&) {
            vistas << QStringLiteral("preso");
        }
    };
    data::CarregaPlanoContas();
    prompt.aoMudarDetalhe = {};
    EXPECT_EQ(vistas, QStringList{QStringLiteral("preso")});
    db::Transaction leitura(outra);
    EXPECT_EQ(
        testsupport::value(leitura, QStringLiteral("select count(*) from AUGC80SPAS where PACODIGO = 3"))
            .toInt(),
        3);
    leitura.commit();
    EXPECT_NO_THROW(data::TravaDoConjunto(outra, 1));
}

// Rows are committed in batches while the run goes on, each before the line that counts it, and
// at the end: another program sees at least what the prompt counted.
TEST_F(PlanoContas, EveryCountedRowIsSeenByAnotherProgramWhenItsLineAppears) {
    altera(QStringLiteral("update AUGC80SP set EMPRESA = 3 where SPCODIGO = 1;") +
           testsupport::scriptPlanoGrande(3, 900, 10000) +
           QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) "
                          "select 1000 + PCCODIGO, 9, PACODIGO, PCCODIGO from ACBC15PC where PACODIGO = 3;") +
           testsupport::scriptGatilhoLento(2500));
    db::Attachment outra = banco->connect();
    db::Transaction leitura(outra);
    auto vistas = [&](const QString& condicao) {
        return testsupport::value(leitura,
                                  QStringLiteral("select count(*) from AUGC80SPAS where ") + condicao)
            .toInt();
    };
    for (const bool copia : {false, true}) {
        SCOPED_TRACE(copia ? "copy" : "loading");
        const QString deste = QStringLiteral("SPCODIGO = 1 and PACODIGO = 3");
        carrega();
        QList<int> contados, vistos;
        prompt.aoMudarDetalhe = [&](const QString& linha) {
            const int n = contadoNa(linha);
            if (n <= 0)
                return;
            contados << n;
            vistos << vistas(deste);
        };
        if (copia)
            data::ImportaPlanoContasECD(QStringLiteral("9"));
        else
            data::CarregaPlanoContas();
        prompt.aoMudarDetalhe = {};
        ASSERT_EQ(contados.size(), 900);
        for (int i = 0; i < contados.size(); ++i)
            ASSERT_GE(vistos[i], contados[i]) << "line " << i;
        EXPECT_EQ(vistas(deste), 900) << "all of them at the end";
        // Not one commit at the end only: batches became visible while the run went on.
        EXPECT_GT(std::set<int>(vistos.begin(), vistos.end()).size(), 2u);
        altera(QStringLiteral("delete from AUGC80SPAS where SPCODIGO = 1 and PACODIGO = 3;"));
    }
}

} // namespace

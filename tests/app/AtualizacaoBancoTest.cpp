#include "app/AtualizacaoBanco.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

class BancoAntigo : public ModuloDadosTest {
protected:
    Base base() const override { return Base::Antiga; }
    bool atualizaNaConexao() const override { return false; }
};

TEST_F(BancoAntigo, UpkeepAddsEveryMissingColumnOnce) {
    EXPECT_FALSE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));
    app::dbBancoAfterConnect();
    EXPECT_TRUE(dm->slErros.isEmpty()) << dm->slErros.join('\n').toStdString();
    for (const app::ColunaNova& c : app::ColunasNovas()) {
        const QString nome = QString::fromLatin1(c.definicao).section(QLatin1Char(' '), 0, 0);
        EXPECT_TRUE(data::ExisteCampo(QString::fromLatin1(c.tabela), nome)) << c.tabela << "." << nome.toStdString();
    }

    // A current database: the two catalogue checks pass and no addition is attempted (an attempt
    // would fail and leave its text in slErros).
    app::dbBancoAfterConnect();
    EXPECT_TRUE(dm->slErros.isEmpty());
}

TEST_F(BancoAntigo, UpkeepLogsEachExistingColumnAndAddsTheMissingOne) {
    app::dbBancoAfterConnect();
    dm->IBScript.setText(QStringLiteral("ALTER TABLE AUGC80SP DROP R0000CONSOLIDAR;"));
    dm->IBScript.run();
    dm->trBanco.commitRetaining();
    ASSERT_FALSE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));

    app::dbBancoAfterConnect();
    ASSERT_EQ(dm->slErros.size(), 34);
    for (const QString& erro : dm->slErros)
        EXPECT_TRUE(erro.startsWith(QStringLiteral("Erro: "))) << erro.toStdString();
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));
}

TEST_F(BancoAntigo, ExisteCampoComparesTableNamesUpperCased) {
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("augc80sp"), QString()));
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("augc80sp"), QStringLiteral("spcodigo")));
    EXPECT_FALSE(data::ExisteCampo(QStringLiteral("NAO_EXISTE"), QString()));
}

TEST_F(BancoAntigo, PerformanceIndexIsCreatedOnceThenReportedAsExisting) {
    data::CriaIndices();
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Índices de Performance criados com sucesso!")});
    caixas->get().clear();
    EXPECT_THROW(data::CriaIndices(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("Aviso: Índices de Performance já criados anteriormente.")});
}

} // namespace

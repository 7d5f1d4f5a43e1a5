#include "data/Carregamento.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

class PlanoReferencial : public ModuloDadosTest {};

TEST_F(PlanoReferencial, MissingFileShowsBothMessagesInOrderAndAborts) {
    EXPECT_THROW(data::CarregaPlanoReferencial(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              (QStringList{QStringLiteral("Erro: \rArquivo \"contasref-SRF.txt\" não encontrado!"),
                           QStringLiteral("Erro: \rAo carregar Plano de Contas Referencial.")}));
}

TEST_F(PlanoReferencial, HeaderOnlyFileGivesAnEmptyChart) {
    escreveArquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"),
                   "CODIGO;DESCRICAO;INICIO;FIM;TIPO\r\n");
    data::CarregaPlanoReferencial();
    EXPECT_EQ(dm->cdsPlanoRef.recordCount(), 0);
    EXPECT_EQ(dm->slPlanoRef.size(), 1);
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
}

TEST_F(PlanoReferencial, LinesMayEndInCrLfLfOrCrAlone) {
    for (const char* fim : {"\r\n", "\n", "\r"}) {
        const QByteArray f(fim);
        escreveArquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"),
                       "CODIGO;DESCRICAO;INICIO;FIM;TIPO" + f + "1;Ativo;01012000;;S" + f +
                           "1.01;Circulante;01012000;;A" + f);
        data::CarregaPlanoReferencial();
        EXPECT_EQ(dm->cdsPlanoRef.recordCount(), 2) << fim;
        EXPECT_EQ(dm->slPlanoRef.size(), 3) << fim;
    }
}

TEST_F(PlanoReferencial, RowsKeepTheirTextsAndReadDatesWithTheTwoDigitYearWindow) {
    escreveArquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"),
                   "CODIGO;DESCRICAO;INICIO;FIM;TIPO\r\n"
                   "1.01;Ativo Circulante ;01012009;31122014;S\r\n"
                   "1.01.01; Caixa e Equivalentes;;;A\r\n"
                   "1.01.02;Cr\xe9"
                   "ditos;0101;31121999;A\r\n");
    data::CarregaPlanoReferencial();
    platform::MemTable& plano = dm->cdsPlanoRef;
    ASSERT_EQ(plano.recordCount(), 3);
    auto valor = [&](int linha, const char* campo) {
        return plano.valueAt(linha, plano.fieldByName(campo).index());
    };
    EXPECT_EQ(valor(0, "DESCRICAO").toString(), QStringLiteral("Ativo Circulante "))
        << "texts are not trimmed";
    EXPECT_EQ(valor(0, "DT_INI_VALIDADE").toDateTime().date(), QDate(2009, 1, 1));
    EXPECT_EQ(valor(0, "DT_FIN_VALIDADE").toDateTime().date(), QDate(2014, 12, 31));
    EXPECT_EQ(valor(1, "DESCRICAO").toString(), QStringLiteral(" Caixa e Equivalentes"));
    EXPECT_FALSE(valor(1, "DT_INI_VALIDADE").isValid()) << "an empty date stays empty";
    EXPECT_EQ(valor(1, "TIPO").toString(), QStringLiteral("A"));
    EXPECT_EQ(valor(2, "DESCRICAO").toString(), QStringLiteral("Créditos")) << "the file is Latin-1";
    EXPECT_FALSE(valor(2, "DT_INI_VALIDADE").isValid()) << "a short date does not parse";
    // Only the last two digits of the year count: 1999 is read as "99", which the window around
    // today puts in 1999 (more than fifty years ahead would be the other century).
    EXPECT_EQ(valor(2, "DT_FIN_VALIDADE").toDateTime().date(), QDate(1999, 12, 31));
}

TEST_F(PlanoReferencial, OpeningTheAssociationsWithoutTheChartChainsTheMessages) {
    EXPECT_THROW(data::CarregaConfiguracoes(1), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              (QStringList{QStringLiteral("Erro: \rArquivo \"contasref-SRF.txt\" não encontrado!"),
                           QStringLiteral("Erro: \rAo carregar Plano de Contas Referencial."),
                           QStringLiteral("Erro: Operation aborted")}));
}

TEST_F(PlanoReferencial, AssociationRowsShowTheirReferentialDescription) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::CarregaConfiguracoes(1)) << caixas->get().texts().join('|').toStdString();
    platform::Query& ass = dm->quRegI050I051;
    EXPECT_EQ(ass.recordCount(), 40);
    bool algumaDescricao = false;
    for (ass.first(); !ass.eof(); ass.next())
        if (!ass.fieldByName(QStringLiteral("COD_CTA_REF")).isNull())
            algumaDescricao |= !ass.fieldByName(QStringLiteral("DESCRICAO")).asString().isEmpty();
    EXPECT_TRUE(algumaDescricao);
    EXPECT_EQ(dm->quRegJ930old.recordCount(), 2);
}

} // namespace

namespace {

TEST(ListasDeCodigos, LoadAtCreationFromTheCurrentFolderOrStayEmpty) {
    QTemporaryDir pasta;
    const QString anterior = QDir::currentPath();
    QDir::setCurrent(pasta.path());
    {
        data::TdmFCONT semArquivo;
        EXPECT_EQ(semArquivo.cdsListas.recordCount(), 0);
        EXPECT_TRUE(semArquivo.cdsListas.active());
    }
    QDir().mkpath(QStringLiteral("Tabelas Externas"));
    QFile::copy(QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas/SPEDTabCodigos.xml"),
                QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
    {
        data::TdmFCONT comArquivo;
        platform::MemTable& listas = comArquivo.cdsListas;
        EXPECT_GT(listas.recordCount(), 4);
        listas.setFilter(QStringLiteral("REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF'"));
        listas.setFiltered(true);
        QStringList descricoes;
        for (listas.first(); !listas.eof(); listas.next())
            descricoes << listas.fieldByName(QStringLiteral("DESCRICAO")).asString();
        EXPECT_TRUE(descricoes.contains(QStringLiteral("Contador"))) << descricoes.join('|').toStdString();
    }
    QDir::setCurrent(anterior);
}

} // namespace

#include "tests/validacao/ArquivoPlantado.h"
#include "validacao/Validacao.h"

#include <QTemporaryDir>

using namespace validacao;
using testsupport::UmAchado;

namespace {

using Signatarios = testsupport::ArquivoPlantado;
using BlocoM = testsupport::ArquivoPlantado;
using ArquivoInteiro = testsupport::ArquivoPlantado;

constexpr Gravidade Erro = Gravidade::Erro;
constexpr Gravidade Aviso = Gravidade::Aviso;

TEST_F(Signatarios, TheAccountantAndSomeoneElseSign) {
    EXPECT_TRUE(roda(VerificaContador).isEmpty());
    troca(93, 4, QStringLiteral("309"));
    Achados achados = roda(VerificaContador);
    EXPECT_TRUE(UmAchado(achados, Erro, 92));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("contador")));
    linhas = linhasDoArquivoCerto();
    troca(92, 4, QStringLiteral("900"));
    achados = roda(VerificaContador);
    EXPECT_TRUE(UmAchado(achados, Erro, 92));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("não seja o contador")));
}

TEST_F(Signatarios, TheAccountantHasACrcNumber) {
    EXPECT_TRUE(roda(VerificaCrcDoContador).isEmpty()) << "the director needs none";
    troca(93, 5, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaCrcDoContador), Erro, 93));
}

TEST_F(Signatarios, NoCpfSignsTwice) {
    EXPECT_TRUE(roda(VerificaCpfsRepetidos).isEmpty());
    troca(93, 2, QStringLiteral("12345678909"));
    EXPECT_TRUE(UmAchado(roda(VerificaCpfsRepetidos), Erro, 93));
}

TEST_F(Signatarios, TheQualificationIsTheTextOfItsCodeAndNothingIsLeftEmpty) {
    EXPECT_TRUE(roda(VerificaQualificacao).isEmpty());
    troca(92, 3, QStringLiteral("Procurador"));
    EXPECT_TRUE(UmAchado(roda(VerificaQualificacao), Aviso, 92));
    EXPECT_TRUE(roda(VerificaQualificacao, TabelasExternas()).isEmpty()) << "no list to compare with";
    linhas = linhasDoArquivoCerto();
    troca(92, 1, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaQualificacao), Erro, 92));
}

TEST_F(BlocoM, M020HasItsMandatoryFieldsAndCodesOfItsLists) {
    EXPECT_TRUE(roda(VerificaM020).isEmpty());
    troca(96, 7, QStringLiteral("X"));
    EXPECT_TRUE(UmAchado(roda(VerificaM020), Erro, 96)) << "Form_apur";
    troca(96, 7, QStringLiteral("A"));
    troca(96, 5, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaM020), Erro, 96)) << "sIT_sLD_PER_ANT";
    linhas = linhasDoArquivoCerto();
    troca(96, 2, QStringLiteral("1"));
    const Achados retificadora = roda(VerificaM020);
    EXPECT_TRUE(UmAchado(retificadora, Erro, 96));
    EXPECT_EQ(retificadora.first().campo, QStringLiteral("Nro_Rec_Anterior"));
    linhas = linhasDoArquivoCerto();
    troca(96, 1, QStringLiteral("30"));
    EXPECT_TRUE(roda(VerificaM020).isEmpty()) << "the external list checks QUALI_PJ";
    EXPECT_TRUE(UmAchado(roda(VerificaM020, TabelasExternas()), Erro, 96)) << "without it, the program's own";
}

TEST_F(BlocoM, M030HasAPeriodOfTheLayout) {
    EXPECT_TRUE(roda(VerificaM030).isEmpty());
    troca(107, 1, QStringLiteral("A01"));
    EXPECT_TRUE(UmAchado(roda(VerificaM030), Erro, 107));
}

TEST_F(BlocoM, M025AccountsAreInTheChart) {
    EXPECT_TRUE(roda(VerificaContasM025).isEmpty());
    troca(97, 1, QStringLiteral("1.1.01.099"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasM025), Erro, 97, QStringLiteral("1.1.01.099")));
}

TEST_F(BlocoM, M355AccountsAreInTheChartWithoutTheMasksPunctuation) {
    EXPECT_TRUE(roda(VerificaContasM355).isEmpty()) << "3101001 is 3.1.01.001";
    troca(108, 1, QStringLiteral("3.1.01.001"));
    EXPECT_TRUE(roda(VerificaContasM355).isEmpty()) << "a masked code is found as well";
    troca(108, 1, QStringLiteral("3101009"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasM355), Erro, 108, QStringLiteral("3101009")));
}

TEST_F(ArquivoInteiro, TheSeedFileGivesNoFindingInCrLfOrLfAndWithOrWithoutTables) {
    const Achados achados = ValidaArquivo(arquivo(), tabelasDaDemonstracao());
    EXPECT_TRUE(achados.isEmpty()) << achados.size() << " findings, the first: "
                                   << (achados.isEmpty() ? std::string()
                                                         : achados.first().mensagem.toStdString());
    const ArquivoFCONT soLf = LeTextoFCONT((linhas.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1());
    EXPECT_TRUE(ValidaArquivo(soLf, tabelasDaDemonstracao()).isEmpty());
    EXPECT_TRUE(ValidaArquivo(arquivo(), TabelasExternas()).isEmpty());
    EXPECT_EQ(ResumoAchados(achados), QStringLiteral("0 erros, 0 avisos"));
}

TEST_F(ArquivoInteiro, OneFaultGivesOneFindingAndTheFileIsOnlyRead) {
    troca(72, 6, QStringLiteral("2800,01")); // credits one cent off, the final balance as it was
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("FCONT.txt"));
    const QByteArray bytes = (linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
    {
        QFile f(caminho);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const ResultadoValidacao r =
        ValidaArquivoFCONT(caminho, QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas"));
    ASSERT_TRUE(r.lido) << r.motivo.toStdString();
    EXPECT_TRUE(UmAchado(r.achados, Erro, 72, QStringLiteral("1.1.01.001")));
    EXPECT_EQ(r.achados.first().regra, QStringLiteral("Saldos"));
    EXPECT_EQ(ResumoAchados(r.achados), QStringLiteral("1 erros, 0 avisos"));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);

    EXPECT_FALSE(ValidaArquivoFCONT(pasta.filePath(QStringLiteral("nao-ha.txt")), pasta.path()).lido);
    EXPECT_FALSE(ValidaArquivoFCONT(pasta.path(), pasta.path()).lido) << "a folder is no file";
}

TEST_F(ArquivoInteiro, EveryFieldThatTheProgramFillsHasAPlaceToMendIt) {
    for (const char* registro : {"0000", "I050", "I051", "J930", "M020", "M030"})
        EXPECT_FALSE(OndeCorrigir(QString::fromLatin1(registro), QStringLiteral("X")).isEmpty()) << registro;
    EXPECT_TRUE(OndeCorrigir(QStringLiteral("J930"), QStringLiteral("IND_CRC"))
                    .contains(QStringLiteral("\"Número CRC\"")));
}

} // namespace

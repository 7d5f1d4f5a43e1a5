#include "tests/validacao/ArquivoPlantado.h"

#include <QFile>

namespace testsupport {

QStringList ArquivoPlantado::linhasDoArquivoCerto() {
    QFile f(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList linhas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    linhas.removeLast(); // after the last line end
    return linhas;
}

const validacao::TabelasExternas& ArquivoPlantado::tabelasDaDemonstracao() {
    static const validacao::TabelasExternas tabelas = validacao::TabelasExternas::Carrega(
        QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas"));
    return tabelas;
}

void ArquivoPlantado::SetUp() {
    linhas = linhasDoArquivoCerto();
    ASSERT_EQ(linhas.size(), 140);
}

void ArquivoPlantado::troca(int numero, int indice, const QString& valor) {
    QStringList campos = linhas[numero - 1].split(QLatin1Char('|'));
    campos[indice + 1] = valor;
    linhas[numero - 1] = campos.join(QLatin1Char('|'));
}

validacao::ArquivoFCONT ArquivoPlantado::arquivo() const {
    if (linhas.isEmpty())
        return validacao::LeTextoFCONT({});
    return validacao::LeTextoFCONT((linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

validacao::Achados ArquivoPlantado::roda(Regra regra, const validacao::TabelasExternas& tabelas) const {
    const validacao::ArquivoFCONT a = arquivo();
    const validacao::Contexto c(a, tabelas);
    validacao::Achados achados;
    regra(c, achados);
    return achados;
}

::testing::AssertionResult UmAchado(const validacao::Achados& achados, validacao::Gravidade gravidade,
                                    int linha, const QString& conta) {
    QString todos;
    for (const validacao::Achado& a : achados)
        todos += QStringLiteral("\n  %1 linha %2 %3 %4 [%5] %6")
                     .arg(validacao::TextoGravidade(a.gravidade))
                     .arg(a.linha)
                     .arg(a.registro, a.campo, a.conta, a.mensagem);
    if (achados.size() != 1)
        return ::testing::AssertionFailure() << achados.size() << " findings:" << todos.toStdString();
    const validacao::Achado& a = achados.first();
    if (a.gravidade != gravidade || a.linha != linha || a.conta != conta)
        return ::testing::AssertionFailure()
               << "expected " << validacao::TextoGravidade(gravidade).toStdString() << " at line " << linha
               << " for account '" << conta.toStdString() << "', got:" << todos.toStdString();
    if (a.mensagem.isEmpty())
        return ::testing::AssertionFailure() << "no message:" << todos.toStdString();
    return ::testing::AssertionSuccess();
}

} // namespace testsupport

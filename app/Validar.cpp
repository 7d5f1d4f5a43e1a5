#include "app/Validar.h"

#include "platform/ConsoleDialogs.h"
#include "validacao/Validacao.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace app {

namespace {

const QString tabelasPadrao = QStringLiteral("Tabelas Externas");

void escreve(std::FILE* saida, const QString& texto) {
    std::fprintf(saida, "%s\n", platform::terminalText(texto).toLocal8Bit().constData());
}

// What a run without one of the tables leaves unchecked, so that silence is not read as a pass.
void avisaTabelasAusentes(const QString& pasta, bool tambemOPlano) {
    const QString semPlano = validacao::AvisoSemPlano(pasta);
    if (tambemOPlano && !semPlano.isEmpty())
        escreve(stderr, semPlano);
    const QString semListas = validacao::AvisoSemListas(pasta);
    if (!semListas.isEmpty())
        escreve(stderr, semListas);
}

QString campoCsv(const QString& texto) {
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"')) &&
        !texto.contains(QLatin1Char('\n')))
        return texto;
    QString t = texto;
    return QLatin1Char('"') + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

QString LinhaDoAchado(const validacao::Achado& a) {
    QString texto = validacao::TextoGravidade(a.gravidade);
    if (a.linha > 0)
        texto += QStringLiteral(" na linha %1").arg(a.linha);
    const QString registro = a.campo.isEmpty() ? a.registro : a.registro + QLatin1Char(' ') + a.campo;
    if (!registro.trimmed().isEmpty())
        texto += QStringLiteral(", ") + registro.trimmed();
    if (!a.conta.isEmpty())
        texto += QStringLiteral(", conta ") + a.conta;
    return texto + QStringLiteral(": ") + a.mensagem;
}

QString LinhaCsvDoAchado(const validacao::Achado& a) {
    return QStringList{validacao::TextoGravidade(a.gravidade),
                       a.linha > 0 ? QString::number(a.linha) : QString(),
                       campoCsv(a.registro),
                       campoCsv(a.campo),
                       campoCsv(a.conta),
                       campoCsv(a.mensagem)}
        .join(QLatin1Char(';'));
}

int ExecutaValidar(const OpcoesValidar& opcoes) {
    const QString pasta = opcoes.tabelas.isEmpty() ? tabelasPadrao : opcoes.tabelas;
    if (!opcoes.tabelas.isEmpty() && !QFileInfo(opcoes.tabelas).isDir()) {
        escreve(stderr, QStringLiteral("Erro: a pasta \"%1\" não existe.").arg(opcoes.tabelas));
        return 2;
    }
    const validacao::ResultadoValidacao r = validacao::ValidaArquivoFCONT(opcoes.arquivo, pasta);
    if (!r.lido) {
        escreve(stderr,
                QStringLiteral("Erro: não foi possível ler \"%1\": %2").arg(opcoes.arquivo, r.motivo));
        return 2;
    }
    avisaTabelasAusentes(pasta, true);
    const bool csv = opcoes.formato == QLatin1String("csv");
    if (csv)
        escreve(stdout, QStringLiteral("Gravidade;Linha;Registro;Campo;Conta;Mensagem"));
    for (const validacao::Achado& a : r.achados)
        escreve(stdout, csv ? LinhaCsvDoAchado(a) : LinhaDoAchado(a));
    std::fflush(stdout);
    escreve(stderr, validacao::ResumoAchados(r.achados));
    return validacao::ContaErros(r.achados) > 0 ? 1 : 0;
}

validacao::Achados ValidaArquivoGerado(const QString& arquivo) {
    const validacao::ResultadoValidacao r = validacao::ValidaArquivoFCONT(arquivo, tabelasPadrao);
    if (!r.lido) {
        escreve(stderr, QStringLiteral("Erro: o arquivo gerado não pôde ser validado: ") + r.motivo);
        return {validacao::Achado{
            validacao::Gravidade::Erro, 0, {}, {}, {}, r.motivo, QStringLiteral("Leitura")}};
    }
    // "gerar" has said already that the referential chart is missing.
    avisaTabelasAusentes(tabelasPadrao, false);
    // A large chart can give thousands of warnings; the whole list is one "validar" away.
    constexpr int mostrados = 20;
    for (int i = 0; i < r.achados.size() && i < mostrados; ++i)
        escreve(stderr, LinhaDoAchado(r.achados[i]));
    if (r.achados.size() > mostrados)
        escreve(stderr, QStringLiteral("... e mais %1; a lista inteira: fcont-cli validar \"%2\"")
                            .arg(r.achados.size() - mostrados)
                            .arg(QDir::toNativeSeparators(arquivo)));
    escreve(stderr, QStringLiteral("Validação do arquivo: ") + validacao::ResumoAchados(r.achados));
    return r.achados;
}

} // namespace app

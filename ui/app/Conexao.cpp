#include "ui/app/Conexao.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "platform/GravacaoSegura.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

QString& pastaDefinida() {
    static QString pasta;
    return pasta;
}

std::function<QWidget*()>& criacaoPrincipal() {
    static std::function<QWidget*()> criacao;
    return criacao;
}

QPointer<QWidget>& fmPrincipal() {
    static QPointer<QWidget> janela;
    return janela;
}

} // namespace

QString PastaPrograma() {
    return pastaDefinida().isEmpty() ? QCoreApplication::applicationDirPath() : pastaDefinida();
}

void DefinePastaPrograma(const QString& pasta) {
    pastaDefinida() = pasta;
}

QString ArquivoConfiguracao() {
    return QDir(PastaPrograma()).filePath(QStringLiteral("FCONT.ini"));
}

QStringList LeLinhasConfiguracao() {
    QFile arquivo(ArquivoConfiguracao());
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = arquivo.readAll();
    // Written on the original platform in its 8-bit code page; a file edited here is UTF-8.
    const QString texto =
        QUtf8StringView(bytes).isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    QStringList linhas = texto.split(QLatin1Char('\n'));
    for (QString& linha : linhas)
        if (linha.endsWith(QLatin1Char('\r')))
            linha.chop(1);
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    return linhas;
}

void GravaLinhasConfiguracao(const QStringList& linhas) {
    const QString texto = linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bool latin1 = true;
    for (QChar c : texto)
        latin1 = latin1 && c.unicode() < 256;
    // Written whole or not at all: a cut file would lose the connection settings.
    platform::GravacaoSegura arquivo(ArquivoConfiguracao());
    arquivo.escreve(latin1 ? texto.toLatin1() : texto.toUtf8());
    arquivo.conclui();
}

QString HostDoBanco(const QString& linhaBanco) {
    const int doisPontos = linhaBanco.indexOf(QLatin1Char(':'));
    return doisPontos < 0 ? QString() : linhaBanco.left(doisPontos);
}

void ConectarBanco(const QString& usuario, const QString& senha) {
    data::TdmFCONT& dm = *data::dmFCONT;
    // The attachment refuses to detach under a running transaction.
    if (dm.trBanco.inTransaction())
        dm.trBanco.rollback();
    dm.dbBanco.disconnect();
    dm.dbBanco.params = db::ConnectionParams{};
    dm.dbBanco.params.charset = QStringLiteral("ISO8859_1");
    if (!QFile::exists(ArquivoConfiguracao()))
        common::MostraMensagem(QStringLiteral("Arquivo de abertura do banco de dados não encontrado."), true);
    const QStringList linhas = LeLinhasConfiguracao();
    dm.dbBanco.params.user = usuario;
    dm.dbBanco.params.password = senha;
    dm.dbBanco.params.database = linhas.value(0);
    dm.dbBanco.connect();
    dm.trBanco.start();
}

void AbrirSistema() {
    if (!fmPrincipal() && criacaoPrincipal())
        fmPrincipal() = criacaoPrincipal()();
    if (fmPrincipal() && !fmPrincipal()->isVisible())
        fmPrincipal()->show();
}

void DefineCriacaoJanelaPrincipal(std::function<QWidget*()> criacao) {
    criacaoPrincipal() = std::move(criacao);
}

QWidget* JanelaPrincipal() {
    return fmPrincipal();
}

void LiberaJanelaPrincipal() {
    delete fmPrincipal().data();
}

} // namespace ui

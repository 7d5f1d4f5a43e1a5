#include "app/Cli.h"

#include "app/AtualizacaoBanco.h"
#include "common/Mensagens.h"
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "db/Attachment.h"
#include "db/Script.h"
#include "db/Transaction.h"
#include "generation/Geracao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/ConsoleDialogs.h"
#include "platform/EventLoop.h"
#include "tools/demo/BaseDemonstracao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace app {

namespace {

void escreveErro(const QString& texto) {
    std::fprintf(stderr, "%s\n", platform::terminalText(texto).toLocal8Bit().constData());
    std::fflush(stderr);
}

// Shows the file in the program named by FCONT_VISUALIZADOR, if any; a terminal has no viewer.
void visualiza(const QString& caminho) {
    const QString programa =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("FCONT_VISUALIZADOR"));
    if (programa.isEmpty())
        return;
    QStringList partes = QProcess::splitCommand(programa);
    const QString executavel = partes.takeFirst();
    QProcess::startDetached(executavel, partes << QFileInfo(caminho).absoluteFilePath());
}

// The prompt on a terminal: each new main text once, so a long run shows where it is.
class PromptTerminal : public common::MemoPrompt {
  public:
    void setLines(const QStringList& lines) override {
        if (!lines.isEmpty() && lines.first() != m_ultimo && !lines.first().isEmpty()) {
            m_ultimo = lines.first();
            escreveErro(m_ultimo);
        }
        MemoPrompt::setLines(lines);
    }

  private:
    QString m_ultimo;
};

std::atomic<bool> interrompido{false};

extern "C" void aoInterromper(int) {
    interrompido = true;
    // A second Ctrl-C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

QString caminhoDoBanco(const QString& banco) {
    // "host:path" goes to a server as it is; a plain path is made absolute before the folder changes.
    const int doisPontos = banco.indexOf(QLatin1Char(':'));
    if (doisPontos > 1 || banco.startsWith(QLatin1Char('/')))
        return banco;
    return QFileInfo(banco).absoluteFilePath();
}

QString pastaDasFerramentas() {
    const QString definida =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("FCONT_TOOLS_DIR"));
    return definida.isEmpty() ? QStringLiteral(FCONT_TOOLS_DIR) : definida;
}

QString usuarioPadrao(const OpcoesCli& opcoes) {
    if (!opcoes.usuario.isEmpty())
        return opcoes.usuario;
    const QString isc = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ISC_USER"));
    return isc.isEmpty() ? QStringLiteral("SYSDBA") : isc;
}

QString textoDe(const std::exception& e) {
    if (const auto* fb = dynamic_cast<const db::FirebirdError*>(&e))
        return QStringLiteral("%1 (código %2)").arg(fb->text()).arg(fb->code());
    return QString::fromUtf8(e.what());
}

} // namespace

QString UsoCli() {
    return QStringLiteral(
        "Uso:\n"
        "  fcont-cli gerar --banco BANCO --configuracao N [--pasta DIR] [--usuario U] [--sem-visualizar]\n"
        "  fcont-cli demo [--pasta DIR] [--sem-visualizar]\n"
        "A senha vem de ISC_PASSWORD; o usuário de --usuario ou ISC_USER.");
}

OpcoesCli LeOpcoes(const QStringList& argumentos) {
    OpcoesCli o;
    if (argumentos.isEmpty()) {
        o.erro = QStringLiteral("Nenhum comando informado.");
        return o;
    }
    o.comando = argumentos.first();
    if (o.comando != QLatin1String("gerar") && o.comando != QLatin1String("demo")) {
        o.erro = QStringLiteral("Comando desconhecido: ") + o.comando;
        return o;
    }
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        auto valor = [&]() -> QString {
            if (i + 1 >= argumentos.size()) {
                o.erro = QStringLiteral("Falta o valor de ") + a;
                return {};
            }
            return argumentos[++i];
        };
        if (a == QLatin1String("--banco"))
            o.banco = valor();
        else if (a == QLatin1String("--configuracao")) {
            bool ok = false;
            o.configuracao = valor().toInt(&ok);
            if (!ok && o.erro.isEmpty())
                o.erro = QStringLiteral("--configuracao deve ser um número");
        } else if (a == QLatin1String("--pasta"))
            o.pasta = valor();
        else if (a == QLatin1String("--usuario"))
            o.usuario = valor();
        else if (a == QLatin1String("--sem-visualizar"))
            o.semVisualizar = true;
        else
            o.erro = QStringLiteral("Opção desconhecida: ") + a;
        if (!o.erro.isEmpty())
            return o;
    }
    if (o.comando == QLatin1String("gerar") && (o.banco.isEmpty() || o.configuracao <= 0))
        o.erro = QStringLiteral("gerar precisa de --banco e --configuracao");
    if (o.comando == QLatin1String("demo") && o.pasta.isEmpty())
        o.pasta = QStringLiteral("demo");
    return o;
}

int ExecutaGerar(const OpcoesCli& opcoes) {
    platform::ConsoleDialogs dialogos(stderr);
    if (!opcoes.semVisualizar)
        dialogos.viewer = visualiza;
    platform::setDialogs(&dialogos);
    struct Restaura {
        ~Restaura() {
            platform::setDialogs(nullptr);
            platform::setPendingEventsHook({});
        }
    } restaura;

    const QString banco = caminhoDoBanco(opcoes.banco);
    if (!opcoes.pasta.isEmpty()) {
        QDir().mkpath(opcoes.pasta);
        if (!QDir::setCurrent(opcoes.pasta)) {
            escreveErro(QStringLiteral("Pasta inacessível: ") + opcoes.pasta);
            return 2;
        }
    }

    data::TdmFCONT dm;
    generation::TdmBlocos blocos;
    PromptTerminal prompt;
    dm.prompt = &prompt;
    dm.dbBanco.params.database = banco;
    dm.dbBanco.params.user = usuarioPadrao(opcoes);
    dm.dbBanco.params.password =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("ISC_PASSWORD"));
    dm.dbBanco.afterConnect = [] { dbBancoAfterConnect(); };
    try {
        dm.dbBanco.connect();
        dm.trBanco.start();
    } catch (const std::exception& e) {
        escreveErro(QStringLiteral("Erro: não foi possível conectar a ") + banco + QStringLiteral(": ") +
                    textoDe(e));
        return 2;
    }
    for (const QString& erro : dm.slErros)
        escreveErro(erro);

    try {
        data::CarregaConfiguracoes(opcoes.configuracao);
    } catch (const platform::SilentAbort&) {
        // The messages are out already; the window would go on with what was loaded.
    }
    if (!dm.quSPED.active() || dm.quSPED.isEmpty()) {
        escreveErro(QStringLiteral("Erro: configuração %1 não encontrada.").arg(opcoes.configuracao));
        return 2;
    }

    interrompido = false;
    std::signal(SIGINT, aoInterromper);
    platform::setPendingEventsHook([&dm] {
        if (interrompido.exchange(false))
            dm.Cancelado = true;
    });
    generation::ResultadoGeracao resultado;
    int codigo = 1;
    try {
        resultado = generation::GeraArquivoFCONT(&prompt);
        codigo = resultado.sucesso ? 0 : 1;
    } catch (const platform::SilentAbort&) {
        codigo = 1;
    } catch (const std::exception& e) {
        escreveErro(textoDe(e));
        codigo = 1;
    }
    std::signal(SIGINT, SIG_DFL);
    if (!resultado.arquivo.isEmpty())
        std::printf("%s\n", QDir::toNativeSeparators(resultado.arquivo).toLocal8Bit().constData());
    try {
        dm.trBanco.commit();
    } catch (...) {
    }
    return codigo;
}

int ExecutaDemo(const OpcoesCli& opcoes) {
    const QDir pasta(QFileInfo(opcoes.pasta).absoluteFilePath());
    QDir().mkpath(pasta.path());
    const QString arquivo = pasta.filePath(QStringLiteral("fcont-demo.fdb"));
    const QDir ferramentas(pastaDasFerramentas());
    try {
        {
            data::TdmFCONT dm;
            demo::MontaBaseDemonstracao(dm, arquivo, ferramentas.path());
        }
        const QDir externas(ferramentas.filePath(QStringLiteral("demo/Tabelas Externas")));
        pasta.mkpath(QStringLiteral("Tabelas Externas"));
        for (const QString& nome : externas.entryList(QDir::Files)) {
            const QString destino = pasta.filePath(QStringLiteral("Tabelas Externas/") + nome);
            QFile::remove(destino);
            QFile::copy(externas.filePath(nome), destino);
        }
    } catch (const std::exception& e) {
        escreveErro(QStringLiteral("Erro: ao montar a base de demonstração: ") + textoDe(e));
        return 2;
    }
    escreveErro(QStringLiteral("Base de demonstração: ") + arquivo);

    OpcoesCli gerar = opcoes;
    gerar.comando = QStringLiteral("gerar");
    gerar.banco = arquivo;
    gerar.configuracao = 1;
    gerar.pasta = pasta.path();
    gerar.usuario = QStringLiteral("SYSDBA");
    return ExecutaGerar(gerar);
}

} // namespace app

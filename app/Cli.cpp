#include "app/Cli.h"

#include "app/AtualizacaoBanco.h"
#include "app/Falhas.h"
#include "common/Mensagens.h"
#include "data/Carregamento.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "db/Attachment.h"
#include "db/Script.h"
#include "db/Transaction.h"
#include "generation/Geracao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/ConsoleDialogs.h"
#include "platform/EventLoop.h"
#include "relatorios/ExportaExcel.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "relatorios/TqrPlanoReferencial.h"
#include "tools/demo/BaseDemonstracao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <signal.h>
#include <thread>

namespace app {

namespace {

void escreveErro(const QString& texto) {
    if (texto.isEmpty())
        return;
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

// Nothing but this thread receives the three signals (they are blocked everywhere else), so no
// handler runs in the middle of the client library and the flag is set outside signal context.
void esperaSinais(sigset_t sinais) {
    int recebidos = 0;
    for (;;) {
        int sinal = 0;
        if (sigwait(&sinais, &sinal) != 0)
            continue;
        if (sinal == SIGINT && ++recebidos > 1)
            std::_Exit(130);
        interrompido = true;
    }
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
    return TextoDaFalha(e);
}

// After a lost connection nothing more is asked of the server, not even the final commit, and
// the program ends here: the client library's own clean-up at exit would still work on the dead
// connection (it has crashed there), and nothing of ours is left to save.
bool avisaConexaoPerdida(data::TdmFCONT& dm, const QString& situacao) {
    if (!ConexaoPerdida(dm))
        return false;
    escreveErro(ConexaoPerdidaTexto());
    escreveErro(situacao);
    std::fflush(stdout);
    std::_Exit(1);
}

// The folder given with --pasta becomes the current one: "Tabelas Externas" is read and the files
// are written there. False, with the reason printed, when it cannot; it is never created.
bool entraNaPasta(const OpcoesCli& opcoes) {
    if (opcoes.pasta.isEmpty())
        return true;
    if (!QFileInfo(opcoes.pasta).isDir()) {
        escreveErro(QStringLiteral("Erro: a pasta \"") + opcoes.pasta + QStringLiteral("\" não existe."));
        return false;
    }
    if (!QDir::setCurrent(opcoes.pasta)) {
        escreveErro(QStringLiteral("Erro: pasta inacessível: ") + opcoes.pasta);
        return false;
    }
    return true;
}

// Connects the data module as the login does (the schema upkeep runs on connection) and starts
// its transaction; throws what the connection throws. `banco` is resolved before --pasta is
// entered, so a relative path names a file of the folder the command was started in.
void conecta(const OpcoesCli& opcoes, const QString& banco, data::TdmFCONT& dm) {
    dm.dbBanco.params.database = banco;
    dm.dbBanco.params.user = usuarioPadrao(opcoes);
    dm.dbBanco.params.password =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("ISC_PASSWORD"));
    dm.dbBanco.afterConnect = [] { dbBancoAfterConnect(); };
    dm.dbBanco.connect();
    dm.trBanco.start();
}

// Without the referential chart file the set still loads; one warning stands for the chain of
// boxes its loading shows, and the boxes stop reaching the terminal until the caller turns them on
// again. True when the file is missing.
bool avisaSemPlanoReferencial(platform::ConsoleDialogs& dialogos) {
    const QString plano = QStringLiteral("Tabelas Externas/contasref-SRF.txt");
    if (QFile::exists(plano))
        return false;
    escreveErro(QStringLiteral("Aviso: arquivo \"") + plano +
                QStringLiteral("\" não encontrado; o Plano de Contas Referencial fica vazio."));
    dialogos.setStream(nullptr);
    return true;
}

} // namespace

void InstalaSinais() {
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    sigaddset(&sinais, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
    std::thread(esperaSinais, sinais).detach();
}

QString UsoCli() {
    return QStringLiteral(
        "Uso:\n"
        "  fcont-cli gerar --banco BANCO --configuracao N [--pasta DIR] [--usuario U] [--sem-visualizar]\n"
        "                  [--detalhes]\n"
        "  fcont-cli demo [--pasta DIR] [--sem-visualizar]\n"
        "  fcont-cli relatorio --banco BANCO --configuracao N {associacao|referencial} --pdf ARQUIVO\n"
        "                  [--pasta DIR] [--usuario U]\n"
        "  fcont-cli exportar --banco BANCO --configuracao N --xlsx ARQUIVO [--nao-referenciadas]\n"
        "                  [--pasta DIR] [--usuario U]\n"
        "  fcont-cli carregar-plano --banco BANCO --configuracao N [--pasta DIR] [--usuario U]\n"
        "  fcont-cli importar-plano --banco BANCO --configuracao N --de M [--pasta DIR] [--usuario U]\n"
        "A senha vem de ISC_PASSWORD; o usuário de --usuario ou ISC_USER.");
}

OpcoesCli LeOpcoes(const QStringList& argumentos) {
    OpcoesCli o;
    if (argumentos.isEmpty()) {
        o.erro = QStringLiteral("Nenhum comando informado.");
        return o;
    }
    o.comando = argumentos.first();
    static const QStringList comandos = {QStringLiteral("gerar"),          QStringLiteral("demo"),
                                         QStringLiteral("relatorio"),      QStringLiteral("exportar"),
                                         QStringLiteral("carregar-plano"), QStringLiteral("importar-plano")};
    if (!comandos.contains(o.comando)) {
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
        else if (a == QLatin1String("--detalhes"))
            o.detalhes = true;
        else if (a == QLatin1String("--de") && o.comando == QLatin1String("importar-plano"))
            o.de = valor();
        else if (a == QLatin1String("--pdf"))
            o.pdf = valor();
        else if (a == QLatin1String("--xlsx"))
            o.xlsx = valor();
        else if (a == QLatin1String("--nao-referenciadas"))
            o.naoReferenciadas = true;
        else if (o.comando == QLatin1String("relatorio") && o.relatorio.isEmpty() &&
                 (a == QLatin1String("associacao") || a == QLatin1String("referencial")))
            o.relatorio = a;
        else
            o.erro = QStringLiteral("Opção desconhecida: ") + a;
        if (!o.erro.isEmpty())
            return o;
    }
    if (o.comando == QLatin1String("gerar") && (o.banco.isEmpty() || o.configuracao <= 0))
        o.erro = QStringLiteral("gerar precisa de --banco e --configuracao");
    if (o.comando == QLatin1String("relatorio") && o.erro.isEmpty() &&
        (o.banco.isEmpty() || o.configuracao <= 0 || o.relatorio.isEmpty() || o.pdf.isEmpty()))
        o.erro = QStringLiteral(
            "relatorio precisa de --banco, --configuracao, associacao ou referencial, e --pdf");
    if (o.comando == QLatin1String("exportar") && o.erro.isEmpty() &&
        (o.banco.isEmpty() || o.configuracao <= 0 || o.xlsx.isEmpty()))
        o.erro = QStringLiteral("exportar precisa de --banco, --configuracao e --xlsx");
    if ((o.comando == QLatin1String("carregar-plano") || o.comando == QLatin1String("importar-plano")) &&
        (o.banco.isEmpty() || o.configuracao <= 0))
        o.erro = o.comando + QStringLiteral(" precisa de --banco e --configuracao");
    if (o.comando == QLatin1String("importar-plano") && o.erro.isEmpty() && o.de.isEmpty())
        o.erro = QStringLiteral("importar-plano precisa de --de");
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
    if (!entraNaPasta(opcoes))
        return 2;

    data::TdmFCONT dm;
    generation::TdmBlocos blocos;
    PromptTerminal prompt;
    dm.prompt = &prompt;
    platform::setPendingEventsHook([&dm] {
        if (interrompido)
            dm.Cancelado = true;
    });
    auto interrompidoAntes = [] {
        if (!interrompido)
            return false;
        escreveErro(QStringLiteral("SPED>Operação abortada pelo Usuário."));
        return true;
    };

    try {
        conecta(opcoes, banco, dm);
    } catch (const std::exception& e) {
        if (interrompidoAntes())
            return 1;
        escreveErro(QStringLiteral("Erro: não foi possível conectar a ") + dm.dbBanco.params.database +
                    QStringLiteral(": ") + textoDe(e));
        return 2;
    }
    if (interrompidoAntes())
        return 1;
    // The upkeep adds every column it knows and swallows the failure of those that exist already.
    if (!dm.slErros.isEmpty()) {
        if (opcoes.detalhes)
            for (const QString& erro : dm.slErros)
                escreveErro(erro);
        else
            for (const QString& aviso : AvisosDaAtualizacao())
                escreveErro(aviso);
    }

    // Without the referential chart the set still loads and generates; one warning says so
    // instead of the chain of boxes the loading shows.
    const bool semPlano = avisaSemPlanoReferencial(dialogos);
    const qsizetype caixasAntes = dialogos.texts.size();
    try {
        data::CarregaConfiguracoes(opcoes.configuracao);
    } catch (const platform::SilentAbort&) {
        // The messages are out already; the window would go on with what was loaded.
    }
    if (semPlano) {
        dialogos.setStream(stderr);
        static const QStringList cadeiaDoPlano = {
            QStringLiteral("Erro: \rArquivo \"contasref-SRF.txt\" não encontrado!"),
            QStringLiteral("Erro: \rAo carregar Plano de Contas Referencial."),
            QStringLiteral("Erro: Operation aborted")};
        for (const QString& texto : dialogos.texts.mid(caixasAntes))
            if (!cadeiaDoPlano.contains(texto))
                escreveErro(texto);
    }
    if (interrompidoAntes())
        return 1;
    if (const QString falha = FalhaDaConfiguracao(dm, opcoes.configuracao); !falha.isEmpty()) {
        if (!avisaConexaoPerdida(dm, QString()))
            escreveErro(falha);
        return 2;
    }

    generation::ResultadoGeracao resultado;
    int codigo = 1;
    try {
        resultado = generation::GeraArquivoFCONT(&prompt);
        codigo = resultado.sucesso ? 0 : 1;
    } catch (const platform::SilentAbort&) {
        codigo = 1;
    } catch (const std::exception& e) {
        escreveErro(MensagemDeFalha(QStringLiteral("a geração do arquivo falhou"), e));
        codigo = 1;
    }
    const QByteArray caminho = QDir::toNativeSeparators(resultado.arquivo).toLocal8Bit();
    if (resultado.sucesso)
        std::printf("%s\n", caminho.constData());
    else if (!resultado.arquivo.isEmpty())
        escreveErro(QStringLiteral("Arquivo incompleto: ") + QString::fromLocal8Bit(caminho));
    avisaConexaoPerdida(dm, QString());
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

namespace {

// Connects, brings the schema up to date and loads the set with its association rows and the
// referential chart, as the main window does before its chart menu can be used. 0 when ready,
// else the exit code, with the reason printed.
int abreConfiguracao(const OpcoesCli& opcoes, data::TdmFCONT& dm, platform::ConsoleDialogs& dialogos) {
    const QString banco = caminhoDoBanco(opcoes.banco);
    if (!entraNaPasta(opcoes))
        return 2;
    try {
        conecta(opcoes, banco, dm);
    } catch (const std::exception& e) {
        escreveErro(QStringLiteral("Erro: não foi possível conectar a ") + dm.dbBanco.params.database +
                    QStringLiteral(": ") + textoDe(e));
        return 2;
    }
    if (!dm.slErros.isEmpty())
        for (const QString& erro : opcoes.detalhes ? dm.slErros : AvisosDaAtualizacao())
            escreveErro(erro);

    // Without the referential chart one warning stands for the chain of boxes of the loading.
    const bool semPlano = avisaSemPlanoReferencial(dialogos);
    try {
        data::CarregaConfiguracoes(opcoes.configuracao);
    } catch (const platform::SilentAbort&) {
    }
    if (semPlano)
        dialogos.setStream(stderr);
    if (const QString falha = FalhaDaConfiguracao(dm, opcoes.configuracao); !falha.isEmpty()) {
        if (!avisaConexaoPerdida(dm, QString()))
            escreveErro(falha);
        return 2;
    }
    if (!dm.quRegI050I051.active()) {
        escreveErro(QStringLiteral("Erro: as contas da configuração %1 não foram carregadas.")
                        .arg(opcoes.configuracao));
        return 2;
    }
    return 0;
}

// Runs one file-writing step over a loaded set; the file's path on standard output on success.
int executaSobreConfiguracao(const OpcoesCli& opcoes, const QString& saida,
                             const std::function<void(data::TdmFCONT&, const QString&)>& escreve) {
    platform::ConsoleDialogs dialogos(stderr);
    platform::setDialogs(&dialogos);
    struct Restaura {
        ~Restaura() {
            platform::setDialogs(nullptr);
            platform::setPendingEventsHook({});
        }
    } restaura;
    // The output is named against the folder the command was started in, not --pasta.
    const QString arquivo = QFileInfo(saida).absoluteFilePath();
    data::TdmFCONT dm;
    PromptTerminal prompt;
    dm.prompt = &prompt;
    const int aberta = abreConfiguracao(opcoes, dm, dialogos);
    if (interrompido) {
        escreveErro(QStringLiteral("SPED>Operação abortada pelo Usuário."));
        return 130;
    }
    if (aberta)
        return aberta;
    // Ctrl-C or SIGTERM stops the writing at its next row; the file is then not written at all.
    platform::setPendingEventsHook([] {
        if (interrompido)
            throw platform::SilentAbort();
    });
    int codigo = 0;
    try {
        escreve(dm, arquivo);
        std::printf("%s\n", QDir::toNativeSeparators(arquivo).toLocal8Bit().constData());
    } catch (const platform::SilentAbort&) {
        codigo = 1;
    } catch (const std::exception& e) {
        escreveErro(MensagemDeFalha(QStringLiteral("o arquivo não foi gravado"), e));
        codigo = 1;
    }
    if (codigo != 0 && interrompido) {
        escreveErro(QStringLiteral("SPED>Operação abortada pelo Usuário."));
        codigo = 130;
    }
    if (codigo != 0)
        avisaConexaoPerdida(dm, QStringLiteral("Nenhum arquivo foi gravado."));
    try {
        dm.trBanco.commit();
    } catch (...) {
    }
    return codigo;
}

} // namespace

bool PrecisaDePintura(const QString& comando) {
    return comando == QLatin1String("relatorio");
}

int ExecutaRelatorio(const OpcoesCli& opcoes) {
    return executaSobreConfiguracao(
        opcoes, opcoes.pdf, [&opcoes](data::TdmFCONT& dm, const QString& arquivo) {
            const int paginas = opcoes.relatorio == QLatin1String("referencial")
                                    ? relatorios::TqrPlanoReferencial(dm).salvaPdf(arquivo)
                                    : relatorios::TqrPlanoAssociacao(dm).salvaPdf(arquivo);
            escreveErro(QStringLiteral("%1 página(s).").arg(paginas));
        });
}

int ExecutaExportar(const OpcoesCli& opcoes) {
    return executaSobreConfiguracao(
        opcoes, opcoes.xlsx, [&opcoes](data::TdmFCONT& dm, const QString& arquivo) {
            const int linhas = relatorios::ExportaPlanoContasExcel(dm, arquivo, opcoes.naoReferenciadas);
            escreveErro(QStringLiteral("%1 contas exportadas.").arg(linhas));
        });
}

// carregar-plano and importar-plano ----------------------------------------------------------

namespace {

// Every line of the prompt that changed, on standard output, so a script can follow the run.
class PromptSaida : public common::MemoPrompt {
public:
    void setLines(const QStringList& lines) override {
        const QStringList antes = MemoPrompt::lines();
        for (int i = 0; i < lines.size(); ++i)
            if (!lines[i].isEmpty() && (i >= antes.size() || antes[i] != lines[i]))
                std::printf("%s\n", platform::terminalText(lines[i]).toLocal8Bit().constData());
        std::fflush(stdout);
        MemoPrompt::setLines(lines);
    }
};

} // namespace

int ExecutaPlano(const OpcoesCli& opcoes) {
    platform::ConsoleDialogs dialogos(stderr);
    platform::setDialogs(&dialogos);
    struct Restaura {
        ~Restaura() {
            platform::setDialogs(nullptr);
            platform::setPendingEventsHook({});
        }
    } restaura;
    data::TdmFCONT dm;
    PromptSaida prompt;
    dm.prompt = &prompt;
    platform::setPendingEventsHook([&dm] {
        if (interrompido)
            dm.Cancelado = true;
    });
    if (const int codigo = abreConfiguracao(opcoes, dm, dialogos))
        return codigo;
    int codigo = 1;
    try {
        if (opcoes.comando == QLatin1String("carregar-plano"))
            data::CarregaPlanoContas();
        else
            data::ImportaPlanoContasECD(opcoes.de);
        codigo = 0;
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        escreveErro(MensagemDeFalha(opcoes.comando == QLatin1String("carregar-plano")
                                        ? QStringLiteral("o Plano de Contas não foi carregado")
                                        : QStringLiteral("o Plano de Contas não foi importado"),
                                    e));
    }
    // Each association is committed as it is made: those stay, the rest never came.
    avisaConexaoPerdida(dm, QStringLiteral("As contas gravadas antes da queda ficam no banco; as demais não "
                                           "foram gravadas."));
    try {
        dm.trBanco.commit();
    } catch (const std::exception& e) {
        escreveErro(MensagemDeFalha(QStringLiteral("as alterações não foram gravadas no banco de dados"), e));
        codigo = 1;
    }
    return codigo;
}

} // namespace app

#include "app/Cli.h"

#include "app/AtualizacaoBanco.h"
#include "app/Falhas.h"
#include "app/Validar.h"
#include "common/Mensagens.h"
#include "common/Versao.h"
#include "conferencia/Conferencia.h"
#include "conferencia/Sugestoes.h"
#include "data/Carregamento.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "db/Attachment.h"
#include "db/Script.h"
#include "db/Transaction.h"
#include "demonstracao/BaseDemonstracao.h"
#include "generation/Geracao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/ConsoleDialogs.h"
#include "platform/DataSetNotifier.h"
#include "platform/Erro.h"
#include "platform/EventLoop.h"
#include "platform/GravacaoSegura.h"
#include "relatorios/ExportaPlanoContas.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "relatorios/TqrPlanoReferencial.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <pthread.h>
#include <signal.h>
#include <thread>
#include <unistd.h>

namespace app {

using namespace Qt::StringLiterals;

namespace {

// Set by the first SIGINT, SIGTERM or SIGHUP.
std::atomic<bool> interrompido{false};
std::atomic<bool> avisado{false}; // the line saying so is out

// The exit code of a run a signal stopped, SIGTERM's included, as a shell reads a cancel.
constexpr int codigoInterrompido = 130;

// One option of the command line. `valor` names its value in the usage; a switch has none.
// `guarda` stores what was typed and answers the reason when it cannot be used.
struct OpcaoCli {
    QString nome;
    QString valor;
    QString descricao;
    QString (*guarda)(OpcoesCli&, const QString&);
};

const QList<OpcaoCli>& opcoesCli() {
    static const QList<OpcaoCli> opcoes = {
        {u"banco"_s, u"BANCO"_s,
         u"Banco de dados: host:caminho num servidor, ou o caminho de um arquivo aberto pelo motor embutido."_s,
         [](OpcoesCli& o, const QString& v) {
             o.banco = v;
             return QString();
         }},
        {u"configuracao"_s, u"N"_s, u"Código (SPCODIGO) da configuração SPED FCONT."_s,
         [](OpcoesCli& o, const QString& v) {
             bool ok = false;
             o.configuracao = v.toInt(&ok);
             return ok && o.configuracao > 0 ? QString()
                                             : u"--configuracao deve ser um número maior que zero"_s;
         }},
        {u"de"_s, u"M"_s, u"Código da configuração cujas associações são copiadas."_s,
         [](OpcoesCli& o, const QString& v) {
             o.de = v;
             return QString();
         }},
        {u"pdf"_s, u"ARQUIVO"_s, u"Arquivo PDF a gravar."_s,
         [](OpcoesCli& o, const QString& v) {
             o.pdf = v;
             return QString();
         }},
        {u"xlsx"_s, u"ARQUIVO"_s, u"Planilha (.xlsx) a gravar."_s,
         [](OpcoesCli& o, const QString& v) {
             o.xlsx = v;
             return QString();
         }},
        {u"nao-referenciadas"_s, QString(), u"Só as contas sem conta referencial."_s,
         [](OpcoesCli& o, const QString&) {
             o.naoReferenciadas = true;
             return QString();
         }},
        {u"pasta"_s, u"DIR"_s,
         u"Pasta que faz as vezes da pasta do programa: \"Tabelas Externas\" é lida dela e \"Arquivos "
         u"Gerados\" "
         u"gravado nela. Não é criada."_s,
         [](OpcoesCli& o, const QString& v) {
             o.pasta = v;
             return QString();
         }},
        {u"usuario"_s, u"U"_s, u"Usuário do banco (padrão: ISC_USER, ou SYSDBA)."_s,
         [](OpcoesCli& o, const QString& v) {
             o.usuario = v;
             return QString();
         }},
        {u"sem-visualizar"_s, QString(), u"Não mostra o arquivo gerado no programa de FCONT_VISUALIZADOR."_s,
         [](OpcoesCli& o, const QString&) {
             o.semVisualizar = true;
             return QString();
         }},
        {u"detalhes"_s, QString(),
         u"Mostra cada alteração do banco não aplicada pela atualização, não só a contagem."_s,
         [](OpcoesCli& o, const QString&) {
             o.detalhes = true;
             return QString();
         }},
        {u"validar-estrito"_s, QString(), u"Sai com 1 quando a validação do arquivo gerado acha erros."_s,
         [](OpcoesCli& o, const QString&) {
             o.validarEstrito = true;
             return QString();
         }},
        {u"tabelas"_s, u"DIR"_s,
         u"Pasta com contasref-SRF.txt e SPEDTabCodigos.xml (padrão: \"Tabelas Externas\" da pasta atual)."_s,
         [](OpcoesCli& o, const QString& v) {
             o.tabelas = v;
             return QString();
         }},
        {u"formato"_s, u"texto|csv"_s,
         u"Um achado por linha em texto (padrão) ou em CSV separado por \";\"."_s,
         [](OpcoesCli& o, const QString& v) {
             o.formato = v;
             return v == "texto"_L1 || v == "csv"_L1 ? QString() : u"--formato deve ser texto ou csv"_s;
         }},
        {u"aplicar"_s, QString(), u"Grava as sugestões de confiança igual ou acima de --confianca."_s,
         [](OpcoesCli& o, const QString&) {
             o.aplicar = true;
             return QString();
         }},
        {u"confianca"_s, u"X"_s,
         u"Confiança mínima das sugestões gravadas, de 0 a 1 (\"0,8\" ou \"0.8\") ou em porcentagem "
         u"(\"80%\"); padrão 0,8."_s,
         [](OpcoesCli& o, const QString& v) {
             QString t = v.trimmed();
             const bool porcentagem = t.endsWith(u'%');
             if (porcentagem)
                 t.chop(1);
             bool ok = false;
             double x = t.replace(u',', u'.').toDouble(&ok);
             if (porcentagem)
                 x /= 100;
             if (!ok || !(x >= 0 && x <= 1))
                 return u"--confianca deve ser um número de 0 a 1, ou uma porcentagem"_s;
             o.confianca = x;
             return QString();
         }},
    };
    return opcoes;
}

const OpcaoCli* opcaoDe(const QString& nome) {
    for (const OpcaoCli& opcao : opcoesCli())
        if (opcao.nome == nome)
            return &opcao;
    return nullptr;
}

} // namespace

const QList<ComandoCli>& ComandosCli() {
    static const QList<ComandoCli> comandos = {
        {.nome = u"gerar"_s,
         .descricao = u"Gera o arquivo FCONT da configuração N e escreve o caminho do arquivo."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"pasta"_s, u"usuario"_s, u"sem-visualizar"_s,
                    u"detalhes"_s, u"validar-estrito"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s},
         .executa = ExecutaGerar},
        {.nome = u"demo"_s,
         .descricao =
             u"Monta a base de demonstração na pasta DIR (padrão: demo) e gera o arquivo FCONT dela."_s,
         .opcoes = {u"pasta"_s, u"sem-visualizar"_s, u"detalhes"_s, u"validar-estrito"_s},
         .pasta = u"demo"_s,
         .executa = ExecutaDemo},
        {.nome = u"validar"_s,
         .descricao = u"Confere um arquivo FCONT (deste ou de outro programa) e escreve um achado por linha; "
                      u"sai com 1 quando há erros e 2 quando o arquivo não pode ser lido."_s,
         .opcoes = {u"tabelas"_s, u"formato"_s},
         .arquivo = u"ARQUIVO"_s,
         .executa = ExecutaValidarCli},
        {.nome = u"conferir"_s,
         .descricao = u"Confere a configuração N antes de gerar (contas sem referência que importam, "
                      u"referências erradas, livros que não fecham) e escreve um achado por linha; sai com 1 "
                      u"quando há erros."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"formato"_s, u"pasta"_s, u"usuario"_s, u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s},
         .executa = ExecutaConferir},
        {.nome = u"sugerir-referencias"_s,
         .descricao = u"Sugere contas referenciais para as contas sem referência da configuração N; com "
                      u"--aplicar grava as de confiança igual ou acima de --confianca."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"aplicar"_s, u"confianca"_s, u"pasta"_s, u"usuario"_s,
                    u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s},
         .executa = ExecutaSugerir},
        {.nome = u"relatorio"_s,
         .descricao =
             u"Grava em PDF o relatório do plano de associação ou do plano referencial da configuração N."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"pdf"_s, u"pasta"_s, u"usuario"_s, u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s, u"pdf"_s},
         .argumentos = {u"associacao"_s, u"referencial"_s},
         .executa = ExecutaRelatorio,
         .pinta = true},
        {.nome = u"exportar"_s,
         .descricao = u"Exporta para uma planilha as contas do plano de associação da configuração N."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"xlsx"_s, u"nao-referenciadas"_s, u"pasta"_s,
                    u"usuario"_s, u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s, u"xlsx"_s},
         .executa = ExecutaExportar},
        {.nome = u"carregar-plano"_s,
         .descricao = u"Carrega o plano de contas da empresa nas associações da configuração N."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"pasta"_s, u"usuario"_s, u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s},
         .executa = ExecutaPlano},
        {.nome = u"importar-plano"_s,
         .descricao = u"Copia para a configuração N as associações da configuração M."_s,
         .opcoes = {u"banco"_s, u"configuracao"_s, u"de"_s, u"pasta"_s, u"usuario"_s, u"detalhes"_s},
         .obrigatorias = {u"banco"_s, u"configuracao"_s, u"de"_s},
         .executa = ExecutaPlano},
    };
    return comandos;
}

namespace {

const ComandoCli* comandoDe(const QString& nome) {
    for (const ComandoCli& comando : ComandosCli())
        if (comando.nome == nome)
            return &comando;
    return nullptr;
}

// "a, b e c"
QString enumera(const QStringList& itens) {
    if (itens.size() < 2)
        return itens.join(QString());
    return itens.mid(0, itens.size() - 1).join(u", "_s) + u" e "_s + itens.last();
}

QString linhaDeAjuda(const QString& nome, const QString& descricao) {
    constexpr int coluna = 28;
    const QString inicio = u"  "_s + nome;
    return (inicio.size() < coluna ? inicio.leftJustified(coluna)
                                   : inicio + u"\n"_s + QString(coluna, u' ')) +
           descricao + u'\n';
}

const QString avisoDaSenha = u"A senha vem de ISC_PASSWORD; o usuário de --usuario ou ISC_USER."_s;

// The argument as typed for the name the parser reports unknown ("senha" for "--senha=x").
QString comoDigitado(const QStringList& argumentos, const QString& nome) {
    for (const QString& a : argumentos) {
        QString semTracos = a;
        while (semTracos.startsWith(u'-'))
            semTracos.remove(0, 1);
        if (a.startsWith(u'-') && semTracos.section(u'=', 0, 0) == nome)
            return a;
    }
    return u"--"_s + nome;
}

} // namespace

QString UsoCli(const QString& nome) {
    const ComandoCli* comando = comandoDe(nome);
    if (!comando) {
        QString uso =
            u"Uso: fcont-cli COMANDO [opções]\n\n"
            u"Gera o arquivo FCONT sem janelas e faz, num terminal, o que o menu da janela principal faz.\n\n"
            u"Comandos:\n"_s;
        for (const ComandoCli& c : ComandosCli())
            uso += linhaDeAjuda(c.nome, c.descricao);
        uso += u"\nOpções:\n"_s + linhaDeAjuda(u"-h, --help"_s, u"Mostra esta ajuda."_s) +
               linhaDeAjuda(u"-v, --version"_s, u"Mostra o título do programa."_s) +
               u"\n\"fcont-cli COMANDO --help\" mostra as opções de um comando.\n"_s + avisoDaSenha + u'\n';
        return uso;
    }
    QString linha = u"Uso: fcont-cli "_s + comando->nome;
    QString opcoes;
    for (const QString& nome : comando->opcoes) {
        const OpcaoCli& opcao = *opcaoDe(nome);
        const QString sintaxe =
            u"--"_s + opcao.nome + (opcao.valor.isEmpty() ? QString() : u' ' + opcao.valor);
        if (comando->obrigatorias.contains(nome))
            linha += u' ' + sintaxe;
        opcoes += linhaDeAjuda(sintaxe, opcao.descricao);
    }
    if (!comando->argumentos.isEmpty())
        linha += u" {"_s + comando->argumentos.join(u'|') + u'}';
    if (!comando->arquivo.isEmpty())
        linha += u' ' + comando->arquivo;
    for (const QString& nome : comando->opcoes)
        if (!comando->obrigatorias.contains(nome)) {
            const OpcaoCli& opcao = *opcaoDe(nome);
            linha += u" [--"_s + opcao.nome + (opcao.valor.isEmpty() ? QString() : u' ' + opcao.valor) + u']';
        }
    QString uso = linha + u"\n\n"_s + comando->descricao + u"\n\nOpções:\n"_s + opcoes +
                  linhaDeAjuda(u"-h, --help"_s, u"Mostra esta ajuda."_s);
    if (comando->opcoes.contains(u"banco"_s))
        uso += u'\n' + avisoDaSenha + u'\n';
    return uso;
}

QString TituloCli() {
    const QString nome = QCoreApplication::applicationName();
    return (nome.isEmpty() ? u"fcont-cli"_s : nome) + u" - "_s + common::TextoVersao();
}

OpcoesCli LeOpcoes(const QStringList& argumentos) {
    OpcoesCli o;
    if (argumentos.isEmpty()) {
        o.erro = u"Nenhum comando informado."_s;
        return o;
    }
    const QString& primeiro = argumentos.first();
    if (primeiro == "--help"_L1 || primeiro == "-h"_L1) {
        o.ajuda = true;
        return o;
    }
    if (primeiro == "--version"_L1 || primeiro == "-v"_L1) {
        o.versao = true;
        return o;
    }
    const ComandoCli* comando = comandoDe(primeiro);
    if (!comando) {
        o.erro =
            (primeiro.startsWith(u'-') ? u"Opção desconhecida: "_s : u"Comando desconhecido: "_s) + primeiro;
        return o;
    }
    o.comando = comando->nome;

    QCommandLineParser leitor;
    // "-pasta" is read as "--pasta", not as six one-letter options.
    leitor.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption ajuda(QStringList{u"h"_s, u"help"_s});
    leitor.addOption(ajuda);
    for (const QString& nome : comando->opcoes)
        leitor.addOption(QCommandLineOption(nome, QString(), opcaoDe(nome)->valor));
    if (!leitor.parse(QStringList{u"fcont-cli"_s} + argumentos.mid(1))) {
        // The parser's own texts are English; it fails on an unknown option or on a value
        // option that ends the line.
        const QStringList desconhecidas = leitor.unknownOptionNames();
        o.erro = desconhecidas.isEmpty()
                     ? u"Falta o valor de "_s + argumentos.last()
                     : u"Opção desconhecida: "_s + comoDigitado(argumentos, desconhecidas.first());
        return o;
    }
    if (leitor.isSet(ajuda)) {
        o.ajuda = true;
        return o;
    }
    for (const QString& nome : comando->opcoes) {
        if (!leitor.isSet(nome))
            continue;
        o.erro = opcaoDe(nome)->guarda(o, leitor.value(nome));
        if (!o.erro.isEmpty())
            return o;
    }
    for (const QString& argumento : leitor.positionalArguments()) {
        if (!comando->arquivo.isEmpty() && o.arquivo.isEmpty()) {
            o.arquivo = argumento;
            continue;
        }
        if (!comando->argumentos.contains(argumento) || !o.relatorio.isEmpty()) {
            o.erro = u"Opção desconhecida: "_s + argumento;
            return o;
        }
        o.relatorio = argumento;
    }
    QStringList faltam;
    for (const QString& nome : comando->obrigatorias)
        if (leitor.value(nome).isEmpty())
            faltam << u"--"_s + nome;
    if (!comando->argumentos.isEmpty() && o.relatorio.isEmpty())
        faltam << comando->argumentos.join(u" ou "_s);
    if (!comando->arquivo.isEmpty() && o.arquivo.isEmpty())
        faltam << comando->arquivo;
    if (!faltam.isEmpty())
        o.erro = comando->nome + u" precisa de "_s + enumera(faltam);
    if (o.pasta.isEmpty())
        o.pasta = comando->pasta;
    return o;
}

bool PrecisaDePintura(const QString& nome) {
    const ComandoCli* comando = comandoDe(nome);
    return comando && comando->pinta;
}

int ExecutaCli(const QStringList& argumentos) {
    const OpcoesCli opcoes = LeOpcoes(argumentos);
    if (!opcoes.erro.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", opcoes.erro.toLocal8Bit().constData(),
                     UsoCli(opcoes.comando).toLocal8Bit().constData());
        return 2;
    }
    if (opcoes.versao) {
        std::printf("%s\n", TituloCli().toLocal8Bit().constData());
        return 0;
    }
    if (opcoes.ajuda) {
        std::printf("%s", UsoCli(opcoes.comando).toLocal8Bit().constData());
        return 0;
    }
    const int codigo = comandoDe(opcoes.comando)->executa(opcoes);
    return codigo != 0 && interrompido ? codigoInterrompido : codigo;
}

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

// How long the run has to stop by itself after the first signal: it stops at its next row, but a
// call into the client library or the system may not return at all.
constexpr std::chrono::milliseconds carencia(3000);

// A function, not a global: the signals' thread may still read it while the program's globals
// are destroyed at exit.
QString avisoDeInterrupcao() {
    return QStringLiteral("SPED>Operação abortada pelo Usuário.");
}

// Ends the program from the signals' thread, whatever the main thread is doing: no temporary file
// stays and none is renamed over its target any more.
[[noreturn]] void encerraJa() {
    platform::GravacaoSegura::abandonaTodas();
    if (!avisado.exchange(true)) {
        const QByteArray linha = platform::terminalText(avisoDeInterrupcao()).toLocal8Bit() + '\n';
        static_cast<void>(::write(STDERR_FILENO, linha.constData(), size_t(linha.size())));
    }
    std::_Exit(codigoInterrompido);
}

// Nothing but this thread receives the three signals (they are blocked everywhere else), so no
// handler runs in the middle of the client library and the flag is set outside signal context.
// The first signal asks the run to stop; a second one, or the end of the grace, ends the program.
void esperaSinais(sigset_t sinais) {
    int sinal = 0;
    while (sigwait(&sinais, &sinal) != 0) {
    }
    interrompido = true;
    const auto prazo = std::chrono::steady_clock::now() + carencia;
    for (;;) {
        const auto resta =
            std::chrono::duration_cast<std::chrono::nanoseconds>(prazo - std::chrono::steady_clock::now());
        if (resta.count() <= 0)
            break;
        timespec espera{};
        espera.tv_sec = time_t(resta.count() / 1000000000);
        espera.tv_nsec = long(resta.count() % 1000000000);
        if (sigtimedwait(&sinais, nullptr, &espera) > 0 || errno != EINTR)
            break;
    }
    encerraJa();
}

// True, with the line the generation's prompt shows, when a signal came.
bool interrompidoAntes() {
    if (!interrompido)
        return false;
    if (!avisado.exchange(true))
        escreveErro(avisoDeInterrupcao());
    return true;
}

QString caminhoDoBanco(const QString& banco) {
    // "host:path" goes to a server as it is; a plain path is made absolute before the folder changes.
    const int doisPontos = banco.indexOf(QLatin1Char(':'));
    if (doisPontos > 1 || banco.startsWith(QLatin1Char('/')))
        return banco;
    return QFileInfo(banco).absoluteFilePath();
}

QString usuarioPadrao(const OpcoesCli& opcoes) {
    if (!opcoes.usuario.isEmpty())
        return opcoes.usuario;
    const QString isc = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ISC_USER"));
    return isc.isEmpty() ? QStringLiteral("SYSDBA") : isc;
}

// The engine's code beside its text: what an administrator looks the failure up by.
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
// its transaction; throws what the connection throws.
void conecta(const OpcoesCli& opcoes, const QString& banco, data::TdmFCONT& dm) {
    dm.dbBanco.params.database = banco;
    dm.dbBanco.params.user = usuarioPadrao(opcoes);
    dm.dbBanco.params.password =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("ISC_PASSWORD"));
    dm.dbBanco.afterConnect = [] { dbBancoAfterConnect(); };
    dm.dbBanco.connect();
    dm.trBanco.start();
}

// Loads the set as the main window does. Without the referential chart file the set still loads
// as far as the window gets, and one warning stands for the chain of boxes that loading shows:
// the chart's loading aborts the whole loading, so every box from its start on belongs to that
// chain. The start is seen where the chart table is emptied; boxes before it are printed.
void carregaConjunto(int configuracao, data::TdmFCONT& dm, platform::ConsoleDialogs& dialogos) {
    const QString plano = QStringLiteral("Tabelas Externas/contasref-SRF.txt");
    const bool semPlano = !QFile::exists(plano);
    const qsizetype antes = dialogos.texts.size();
    qsizetype inicioDoPlano = -1;
    QMetaObject::Connection marca;
    if (semPlano) {
        escreveErro(QStringLiteral("Aviso: arquivo \"") + plano +
                    QStringLiteral("\" não encontrado; o Plano de Contas Referencial fica vazio."));
        dialogos.setStream(nullptr);
        marca = QObject::connect(&dm.cdsPlanoRef.notifier(), &platform::DataSetNotifier::refiltered, [&] {
            if (inicioDoPlano < 0)
                inicioDoPlano = dialogos.texts.size();
        });
    }
    try {
        data::CarregaConfiguracoes(configuracao);
    } catch (const platform::SilentAbort&) {
        // The messages are out already; the window would go on with what was loaded.
    }
    if (!semPlano)
        return;
    QObject::disconnect(marca);
    dialogos.setStream(stderr);
    const qsizetype fim = inicioDoPlano < 0 ? dialogos.texts.size() : inicioDoPlano;
    for (qsizetype i = antes; i < fim; ++i)
        escreveErro(dialogos.texts[i]);
}

// The one way every command opens a parameter set: enters --pasta (before the data module reads
// its code lists from "Tabelas Externas"), connects, brings the schema up to date, loads the set
// as the main window does, and runs `passo` over it. The boxes go to standard error, a signal
// becomes the user's "Cancelar". `exigeContas`: the chart commands work on the association rows
// and refuse a set whose rows did not load; the generation goes on, as the window does, with
// what was loaded. Returns the exit code: 2 when the set could not be opened.
int executaSobreConjunto(const OpcoesCli& opcoes, common::MemoPrompt& prompt, bool exigeContas,
                         const std::function<int(data::TdmFCONT&)>& passo) {
    platform::ConsoleDialogs dialogos(stderr);
    if (!opcoes.semVisualizar)
        dialogos.viewer = visualiza;
    platform::setDialogs(&dialogos);
    const auto restaura = qScopeGuard([] {
        platform::setDialogs(nullptr);
        platform::setPendingEventsHook({});
    });

    const QString banco = caminhoDoBanco(opcoes.banco);
    if (!entraNaPasta(opcoes))
        return 2;
    data::TdmFCONT dm;
    dm.prompt = &prompt;
    platform::setPendingEventsHook([&dm] {
        if (interrompido)
            dm.Cancelado = true;
    });

    try {
        conecta(opcoes, banco, dm);
    } catch (const std::exception& e) {
        if (interrompidoAntes())
            return codigoInterrompido;
        escreveErro(QStringLiteral("Erro: não foi possível conectar a ") + dm.dbBanco.params.database +
                    QStringLiteral(": ") + textoDe(e));
        return 2;
    }
    if (interrompidoAntes())
        return codigoInterrompido;
    // The upkeep adds every column it knows and swallows the failure of those that exist already.
    if (!dm.slErros.isEmpty()) {
        if (opcoes.detalhes)
            for (const QString& erro : dm.slErros)
                escreveErro(erro);
        else
            for (const QString& aviso : AvisosDaAtualizacao())
                escreveErro(aviso);
    }

    carregaConjunto(opcoes.configuracao, dm, dialogos);
    if (interrompidoAntes())
        return codigoInterrompido;
    if (const QString falha = FalhaDaConfiguracao(dm, opcoes.configuracao); !falha.isEmpty()) {
        if (!avisaConexaoPerdida(dm, QString()))
            escreveErro(falha);
        return 2;
    }
    if (exigeContas && !dm.quRegI050I051.active()) {
        escreveErro(QStringLiteral("Erro: as contas da configuração %1 não foram carregadas.")
                        .arg(opcoes.configuracao));
        return 2;
    }
    // A run a signal stopped ends as cancelled; one that completed before it keeps its 0.
    const int codigo = passo(dm);
    return codigo != 0 && interrompido ? codigoInterrompido : codigo;
}

// Ends the run's transaction as the window does when the program closes. False, with the
// reason printed, when the commit failed.
bool confirma(data::TdmFCONT& dm) {
    try {
        dm.trBanco.commit();
        return true;
    } catch (const std::exception& e) {
        escreveErro(MensagemDeFalha(QStringLiteral("as alterações não foram gravadas no banco de dados"), e));
        return false;
    }
}

// Runs one file-writing step over a loaded set; the file's path on standard output on success.
// A step fails as the menu's routines do, with its "Erro:" box and the silent abort.
int escreveArquivo(const OpcoesCli& opcoes, const QString& saida,
                   const std::function<void(data::TdmFCONT&, const QString&)>& escreve) {
    // The output is named against the folder the command was started in, not --pasta.
    const QString arquivo = QFileInfo(saida).absoluteFilePath();
    PromptTerminal prompt;
    const int codigo = executaSobreConjunto(opcoes, prompt, true, [&](data::TdmFCONT& dm) {
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
            interrompidoAntes();
            codigo = 1;
        } catch (const std::exception& e) {
            escreveErro(MensagemDeFalha(QStringLiteral("o arquivo não foi gravado"), e));
            codigo = 1;
        }
        if (codigo != 0)
            avisaConexaoPerdida(dm, QStringLiteral("Nenhum arquivo foi gravado."));
        confirma(dm);
        return codigo;
    });
    return codigo;
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

int ExecutaGerar(const OpcoesCli& opcoes) {
    PromptTerminal prompt;
    return executaSobreConjunto(opcoes, prompt, false, [&prompt, &opcoes](data::TdmFCONT& dm) {
        generation::TdmBlocos blocos;
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
        if (resultado.sucesso) {
            std::printf("%s\n", caminho.constData());
            std::fflush(stdout);
            const validacao::Achados achados = ValidaArquivoGerado(resultado.arquivo);
            if (opcoes.validarEstrito && validacao::ContaErros(achados) > 0)
                codigo = 1;
        } else if (!resultado.arquivo.isEmpty())
            escreveErro(QStringLiteral("Arquivo incompleto: ") + QString::fromLocal8Bit(caminho));
        avisaConexaoPerdida(dm, QString());
        // The file is written; a failed commit of the set's reading changes nothing of it.
        confirma(dm);
        return codigo;
    });
}

int ExecutaValidarCli(const OpcoesCli& opcoes) {
    return ExecutaValidar({opcoes.arquivo, opcoes.tabelas, opcoes.formato});
}

int ExecutaConferir(const OpcoesCli& opcoes) {
    PromptTerminal prompt;
    return executaSobreConjunto(opcoes, prompt, false, [&opcoes](data::TdmFCONT& dm) {
        conferencia::ResultadoConferencia r;
        bool comPlano = false;
        try {
            comPlano = conferencia::PlanoReferencialAberto().carregado;
            r = conferencia::ConfereConjuntoAberto();
        } catch (const platform::SilentAbort&) {
            confirma(dm);
            return 2;
        } catch (const std::exception& e) {
            avisaConexaoPerdida(dm, QString());
            escreveErro(MensagemDeFalha(QStringLiteral("a conferência não foi feita"), e));
            confirma(dm);
            return 2;
        }
        if (!comPlano)
            escreveErro(
                QStringLiteral("Aviso: sem o Plano de Contas Referencial as contas referenciais só foram "
                               "conferidas nas contas sintéticas."));
        const bool csv = opcoes.formato == QLatin1String("csv");
        if (csv)
            std::printf("Gravidade;Linha;Registro;Campo;Conta;Mensagem\n");
        for (const validacao::Achado& a : r.achados)
            std::printf("%s\n", platform::terminalText(csv ? LinhaCsvDoAchado(a) : LinhaDoAchado(a))
                                    .toLocal8Bit()
                                    .constData());
        std::fflush(stdout);
        escreveErro(QStringLiteral("Conferência: ") + validacao::ResumoAchados(r.achados));
        confirma(dm);
        return validacao::ContaErros(r.achados) > 0 ? 1 : 0;
    });
}

int ExecutaSugerir(const OpcoesCli& opcoes) {
    PromptTerminal prompt;
    return executaSobreConjunto(opcoes, prompt, true, [&opcoes](data::TdmFCONT& dm) {
        QList<conferencia::Sugestao> sugestoes;
        int contas = 0;
        try {
            const QList<conferencia::ContaSemReferencia> semReferencia =
                conferencia::ContasSemReferencia(dm.trBanco, conferencia::ConjuntoAberto());
            contas = static_cast<int>(semReferencia.size());
            sugestoes = conferencia::SugereReferenciasDoConjuntoAberto(semReferencia);
        } catch (const platform::SilentAbort&) {
            confirma(dm);
            return 2;
        } catch (const std::exception& e) {
            avisaConexaoPerdida(dm, QString());
            escreveErro(MensagemDeFalha(QStringLiteral("as sugestões não foram feitas"), e));
            confirma(dm);
            return 2;
        }
        for (const conferencia::Sugestao& s : sugestoes)
            std::printf("%s\n", platform::terminalText(QStringLiteral("%1 - %2: %3 - %4 (%5; confiança %6)")
                                                           .arg(s.conta.conta, s.conta.nome, s.referencia,
                                                                s.descricao, s.motivo,
                                                                conferencia::TextoConfianca(s.confianca)))
                                    .toLocal8Bit()
                                    .constData());
        std::fflush(stdout);
        escreveErro(QStringLiteral("%1 sugestão(ões) para %2 conta(s) sem referência.")
                        .arg(sugestoes.size())
                        .arg(contas));
        if (!opcoes.aplicar) {
            confirma(dm);
            return 0;
        }
        int gravadas = 0;
        int codigo = 0;
        try {
            gravadas = conferencia::AceitaSugestoes(conferencia::AcimaDe(sugestoes, opcoes.confianca));
        } catch (const platform::SilentAbort&) {
            codigo = 1;
        } catch (const std::exception& e) {
            escreveErro(MensagemDeFalha(QStringLiteral("nem todas as sugestões foram gravadas"), e));
            codigo = 1;
        }
        avisaConexaoPerdida(dm, QStringLiteral("As sugestões gravadas antes da queda ficam no banco."));
        escreveErro(QStringLiteral("%1 sugestão(ões) gravada(s) (confiança de %2 ou mais).")
                        .arg(gravadas)
                        .arg(conferencia::TextoConfianca(opcoes.confianca)));
        return confirma(dm) ? codigo : 1;
    });
}

int ExecutaDemo(const OpcoesCli& opcoes) {
    const QDir pasta(QFileInfo(opcoes.pasta).absoluteFilePath());
    QDir().mkpath(pasta.path());
    const QString arquivo = pasta.filePath(QStringLiteral("fcont-demo.fdb"));
    try {
        {
            data::TdmFCONT dm;
            demonstracao::MontaBaseDemonstracao(dm, arquivo);
        }
        demonstracao::CopiaTabelasExternas(pasta);
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

int ExecutaRelatorio(const OpcoesCli& opcoes) {
    return escreveArquivo(opcoes, opcoes.pdf, [&opcoes](data::TdmFCONT& dm, const QString& arquivo) {
        int paginas = 0;
        try {
            paginas = opcoes.relatorio == QLatin1String("referencial")
                          ? relatorios::TqrPlanoReferencial(dm).salvaPdf(arquivo)
                          : relatorios::TqrPlanoAssociacao(dm).salvaPdf(arquivo);
        } catch (const std::exception& e) {
            common::MostraMensagem(QStringLiteral("Erro: \rAo gravar o relatório em \"") + arquivo +
                                       QStringLiteral("\".\r") + textoDe(e),
                                   true);
        }
        escreveErro(QStringLiteral("%1 página(s).").arg(paginas));
    });
}

int ExecutaExportar(const OpcoesCli& opcoes) {
    return escreveArquivo(opcoes, opcoes.xlsx, [&opcoes](data::TdmFCONT& dm, const QString& arquivo) {
        const int linhas = relatorios::ExportaPlanoContas(dm, arquivo, opcoes.naoReferenciadas);
        escreveErro(QStringLiteral("%1 contas exportadas.").arg(linhas));
    });
}

int ExecutaPlano(const OpcoesCli& opcoes) {
    PromptSaida prompt;
    return executaSobreConjunto(opcoes, prompt, true, [&opcoes](data::TdmFCONT& dm) {
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
        avisaConexaoPerdida(dm,
                            QStringLiteral("As contas gravadas antes da queda ficam no banco; as demais não "
                                           "foram gravadas."));
        // The chart's rows were committed one by one; a failed last commit is still a failure.
        return confirma(dm) ? codigo : 1;
    });
}

} // namespace app

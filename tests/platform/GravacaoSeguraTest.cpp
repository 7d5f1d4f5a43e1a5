#include "platform/GravacaoSegura.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

void escreve(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList arquivos(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Writes beyond `bytes` fail with EFBIG, as on a full disk, for the life of the object; the
// signal the kernel sends with that failure is ignored meanwhile.
class LimiteDeArquivo {
public:
    explicit LimiteDeArquivo(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_anterior);
        m_sinal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = m_anterior;
        limite.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDeArquivo() {
        setrlimit(RLIMIT_FSIZE, &m_anterior);
        std::signal(SIGXFSZ, m_sinal);
    }

private:
    rlimit m_anterior{};
    void (*m_sinal)(int) = nullptr;
};

TEST(GravacaoSegura, TheTargetChangesOnlyWhenTheNewFileIsCompleteAndNothingIsLeftBeside) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString alvo = pasta.filePath(QStringLiteral("saida.txt"));
    escreve(alvo, "anterior");
    ::chmod(QFile::encodeName(alvo).constData(), 0640);
    {
        platform::GravacaoSegura gravacao(alvo);
        gravacao.escreve("novo ");
        gravacao.escreve(QByteArray(200000, 'x'));
        EXPECT_EQ(le(alvo), QByteArray("anterior")) << "the target is untouched while the file is written";
        EXPECT_EQ(arquivos(pasta.path()).size(), 2);
        gravacao.conclui();
    }
    EXPECT_EQ(le(alvo), QByteArray("novo ") + QByteArray(200000, 'x'));
    EXPECT_EQ(arquivos(pasta.path()), QStringList{QStringLiteral("saida.txt")});
    EXPECT_EQ(QFileInfo(alvo).permissions() & 0x0777,
              QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup)
        << "a replaced file keeps its permissions";

    {
        platform::GravacaoSegura abandonada(alvo);
        abandonada.escreve("nunca concluído");
    }
    EXPECT_EQ(le(alvo), QByteArray("novo ") + QByteArray(200000, 'x')) << "without conclui() nothing changes";
    EXPECT_EQ(arquivos(pasta.path()), QStringList{QStringLiteral("saida.txt")});

    const QString semPasta = pasta.filePath(QStringLiteral("nao/existe.txt"));
    try {
        platform::GravacaoSegura impossivel(semPasta);
        ADD_FAILURE() << "a file in a missing folder was started";
    } catch (const platform::ErroGravacao& e) {
        EXPECT_EQ(e.motivo(), QStringLiteral("a pasta não existe"));
        EXPECT_TRUE(
            QString::fromUtf8(e.what()).startsWith(QStringLiteral("não foi possível gravar o arquivo \"")));
    }
}

TEST(GravacaoSegura, ALinkAtTheTargetIsReplacedAndWhatItPointsToStaysAsItWas) {
    QTemporaryDir raiz;
    ASSERT_TRUE(raiz.isValid());
    QDir(raiz.path()).mkdir(QStringLiteral("pasta"));
    const QString fora = raiz.filePath(QStringLiteral("fora.txt"));
    escreve(fora, "de outra pessoa");
    const QString alvo = raiz.filePath(QStringLiteral("pasta/FCONT.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../fora.txt"), alvo));

    platform::GravacaoSegura gravacao(alvo);
    gravacao.escreve("gerado");
    gravacao.conclui();

    EXPECT_EQ(le(fora), QByteArray("de outra pessoa"));
    EXPECT_FALSE(QFileInfo(alvo).isSymLink());
    EXPECT_EQ(le(alvo), QByteArray("gerado"));
}

TEST(GravacaoSegura, AFullDiskFailsTheSaveAndKeepsTheEarlierFile) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString alvo = pasta.filePath(QStringLiteral("relatorio.pdf"));
    escreve(alvo, "completo");

    {
        LimiteDeArquivo cheio(100 * 1024);
        platform::GravacaoSegura gravacao(alvo);
        EXPECT_THROW(gravacao.escreve(QByteArray(300 * 1024, 'p')), platform::ErroGravacao);
    }
    EXPECT_EQ(le(alvo), QByteArray("completo"));
    EXPECT_EQ(arquivos(pasta.path()), QStringList{QStringLiteral("relatorio.pdf")});

    // A writer that never looks at its results (a PDF engine) learns of the failure at the end.
    {
        LimiteDeArquivo cheio(100 * 1024);
        platform::GravacaoSegura gravacao(alvo);
        for (int i = 0; i < 300; ++i)
            gravacao.dispositivo().write(QByteArray(1024, 'p'));
        gravacao.dispositivo().write("%%EOF");
        try {
            gravacao.conclui();
            ADD_FAILURE() << "a truncated file was taken as saved";
        } catch (const platform::ErroGravacao& e) {
            EXPECT_EQ(e.motivo(), QStringLiteral("o arquivo passa do tamanho permitido"));
        }
    }
    EXPECT_EQ(le(alvo), QByteArray("completo"));
    EXPECT_EQ(arquivos(pasta.path()), QStringList{QStringLiteral("relatorio.pdf")});
}

} // namespace

// An end that cannot wait for the writers (it runs in a child process, which it ends): the files
// being written vanish, a file completed before stays as it was completed.
TEST(GravacaoSegura, AnAbandonmentRemovesEveryFileStillBeingWrittenAndKeepsTheCompleteOnes) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString pronto = QDir(pasta.path()).filePath(QStringLiteral("pronto.txt"));
    const QString anterior = QDir(pasta.path()).filePath(QStringLiteral("anterior.txt"));
    escreve(anterior, "o arquivo de antes");
    EXPECT_EXIT(
        {
            platform::GravacaoSegura completa(pronto);
            completa.escreve("completo");
            completa.conclui();
            platform::GravacaoSegura primeira(anterior);
            primeira.escreve("pela metade");
            platform::GravacaoSegura segunda(QDir(pasta.path()).filePath(QStringLiteral("novo.txt")));
            segunda.escreve("pela metade");
            platform::GravacaoSegura::abandonaTodas();
            std::_Exit(arquivos(pasta.path()).size() == 2 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(arquivos(pasta.path()),
              (QStringList{QStringLiteral("anterior.txt"), QStringLiteral("pronto.txt")}));
    EXPECT_EQ(le(anterior), QByteArray("o arquivo de antes"));
    EXPECT_EQ(le(pronto), QByteArray("completo"));
}

#include "platform/GravacaoSegura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

ErroGravacao::ErroGravacao(const QString& caminho, const QString& motivo)
    : std::runtime_error((QStringLiteral("não foi possível gravar o arquivo \"") +
                          QDir::toNativeSeparators(caminho) + QStringLiteral("\": ") + motivo)
                             .toStdString()),
      m_motivo(motivo) {}

QString motivoDaFalha(int erro) {
    switch (erro) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("não há espaço livre no disco");
    case EFBIG:
        return QStringLiteral("o arquivo passa do tamanho permitido");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("sem permissão para gravar na pasta");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("a pasta não existe");
    case EISDIR:
        return QStringLiteral("já existe uma pasta com esse nome");
    default:
        return QString::fromLocal8Bit(std::strerror(erro));
    }
}

// Writes to the descriptor through a buffer of its own and keeps the first failure.
class GravacaoSegura::Dispositivo : public QIODevice {
public:
    explicit Dispositivo(int descritor) : m_descritor(descritor) {
        m_buffer.reserve(capacidade);
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    int descritor() const { return m_descritor; }
    int falha() const { return m_falha; }
    bool isSequential() const override { return true; }

    bool descarrega() {
        if (m_falha)
            return false;
        const char* p = m_buffer.data();
        size_t resta = m_buffer.size();
        while (resta > 0) {
            const ssize_t feito = ::write(m_descritor, p, resta);
            if (feito < 0 && errno == EINTR)
                continue;
            if (feito <= 0) {
                m_falha = feito < 0 ? errno : ENOSPC;
                setErrorString(motivoDaFalha(m_falha));
                return false;
            }
            p += feito;
            resta -= size_t(feito);
        }
        m_buffer.clear();
        return true;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 tamanho) override {
        if (m_falha)
            return -1;
        m_buffer.insert(m_buffer.end(), dados, dados + tamanho);
        if (m_buffer.size() >= capacidade && !descarrega())
            return -1;
        return tamanho;
    }

private:
    static constexpr size_t capacidade = 64 * 1024;
    int m_descritor;
    int m_falha = 0;
    std::vector<char> m_buffer;
};

namespace {

[[noreturn]] void falha(const QString& caminho, int erro) {
    throw ErroGravacao(caminho, motivoDaFalha(erro));
}

// The temporary files of every writing under way. The lock is also held while a file is renamed
// into place, so an abandonment either comes before the rename, and then no rename follows, or
// after it, and then the file is complete.
struct EmAndamento {
    std::mutex trava;
    std::set<std::string> temporarios;
};

EmAndamento& emAndamento() {
    static EmAndamento* const instancia = new EmAndamento; // still there for other threads at exit
    return *instancia;
}

} // namespace

GravacaoSegura::GravacaoSegura(const QString& destino) : m_destino(QFileInfo(destino).absoluteFilePath()) {
    const QFileInfo alvo(m_destino);
    // A hidden name of the same folder that no earlier run left behind (O_EXCL).
    int descritor = -1;
    for (int tentativa = 0; descritor < 0; ++tentativa) {
        m_temporario =
            alvo.dir().filePath(QStringLiteral(".%1.%2.tmp")
                                    .arg(alvo.fileName())
                                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        descritor = ::open(QFile::encodeName(m_temporario).constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descritor < 0 && (errno != EEXIST || tentativa > 100))
            falha(m_destino, errno);
    }
    m_dispositivo = std::make_unique<Dispositivo>(descritor);
    const std::lock_guard trava(emAndamento().trava);
    emAndamento().temporarios.insert(QFile::encodeName(m_temporario).toStdString());
}

void GravacaoSegura::abandonaTodas() noexcept {
    // Locked for good: the program ends before any writer gets to rename its file.
    emAndamento().trava.lock();
    for (const std::string& temporario : emAndamento().temporarios)
        ::unlink(temporario.c_str());
    emAndamento().temporarios.clear();
}

GravacaoSegura::~GravacaoSegura() {
    if (m_concluida)
        return;
    if (!m_fechado)
        ::close(m_dispositivo->descritor());
    const QByteArray temporario = QFile::encodeName(m_temporario);
    const std::lock_guard trava(emAndamento().trava);
    ::unlink(temporario.constData());
    emAndamento().temporarios.erase(temporario.toStdString());
}

QIODevice& GravacaoSegura::dispositivo() {
    return *m_dispositivo;
}

void GravacaoSegura::escreve(const QByteArray& bytes) {
    if (m_dispositivo->write(bytes) != bytes.size())
        falha(m_destino, m_dispositivo->falha() ? m_dispositivo->falha() : EIO);
}

void GravacaoSegura::conclui() {
    const int descritor = m_dispositivo->descritor();
    if (!m_dispositivo->descarrega())
        falha(m_destino, m_dispositivo->falha());
    // A file replaced keeps its permissions; a new one gets those the umask gives.
    struct stat anterior {};
    const QByteArray destino = QFile::encodeName(m_destino);
    if (::lstat(destino.constData(), &anterior) == 0 && S_ISREG(anterior.st_mode))
        ::fchmod(descritor, anterior.st_mode & 07777);
    if (::fsync(descritor) != 0)
        falha(m_destino, errno);
    // Some file systems report a lost write only when the file is closed.
    m_fechado = true;
    if (::close(descritor) != 0)
        falha(m_destino, errno);
    // rename() replaces a link at the target by the file, and never writes through it.
    {
        const QByteArray temporario = QFile::encodeName(m_temporario);
        const std::lock_guard trava(emAndamento().trava);
        if (::rename(temporario.constData(), destino.constData()) != 0)
            falha(m_destino, errno);
        emAndamento().temporarios.erase(temporario.toStdString());
    }
    m_concluida = true;
    // The new name itself must reach the disk, or a crash could bring back the old file.
    const int pasta = ::open(QFile::encodeName(QFileInfo(m_destino).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (pasta >= 0) {
        ::fsync(pasta);
        ::close(pasta);
    }
}

} // namespace platform

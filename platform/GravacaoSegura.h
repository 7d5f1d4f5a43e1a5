#pragma once

#include <QIODevice>
#include <QString>

#include <memory>
#include <stdexcept>

namespace platform {

// A file that could not be written completely. what() is a whole sentence naming the file;
// motivo() the system's reason alone.
class ErroGravacao : public std::runtime_error {
public:
    explicit ErroGravacao(const QString& motivo)
        : std::runtime_error(motivo.toStdString()), m_motivo(motivo) {}
    ErroGravacao(const QString& caminho, const QString& motivo);
    const QString& motivo() const { return m_motivo; }

private:
    QString m_motivo;
};

// The one way the program writes a file. The bytes go to a new file beside the target (same
// folder, so the rename cannot cross file systems), every write is checked, and only a complete
// file, flushed to the disk, is renamed over the target. A symbolic link at the target is replaced
// as a link, never followed. Until conclui() succeeds the target is untouched: a failure, an
// exception or a cancel leaves the earlier file as it was and nothing new under its name.
class GravacaoSegura {
public:
    // Creates the temporary file; throws ErroGravacao when the folder cannot take it.
    explicit GravacaoSegura(const QString& destino);
    // Without conclui(), removes the temporary file.
    ~GravacaoSegura();
    GravacaoSegura(const GravacaoSegura&) = delete;
    GravacaoSegura& operator=(const GravacaoSegura&) = delete;

    const QString& destino() const { return m_destino; }
    // For a writer that opens a path itself: whatever it leaves there is what conclui() renames.
    const QString& temporario() const { return m_temporario; }

    // An open, write-only device over the temporary file. A failed write fails every later one
    // too, so a writer that ignores the results (a painter's PDF engine) still cannot produce a
    // file with a hole: conclui() reports the first failure.
    QIODevice& dispositivo();
    // Writes through the device and throws ErroGravacao at once on a failure.
    void escreve(const QByteArray& bytes);

    // Flushes, syncs and renames; throws ErroGravacao (the target untouched) when any step fails.
    void conclui();

    // For an end of the program that cannot wait for the writers (a second Ctrl-C, a run stuck
    // in a call that does not return): removes every temporary file still being written and
    // keeps any of them from being renamed over its target afterwards, so that nothing but
    // complete files written before stays. Callable from any thread; the program must end
    // right after it, since no file can be completed any more.
    static void abandonaTodas() noexcept;

private:
    class Dispositivo;
    QString m_destino;
    QString m_temporario;
    std::unique_ptr<Dispositivo> m_dispositivo;
    bool m_fechado = false;
    bool m_concluida = false;
};

// The reason of a failed system call, in the words the program shows.
QString motivoDaFalha(int erro);

} // namespace platform

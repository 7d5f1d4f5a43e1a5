#include "platform/Dialogs.h"

#include "platform/Abort.h"
#include "platform/MensagemErro.h"

#include <cstdio>

namespace platform {

namespace {

// Used when nothing was installed (early start-up, a tool that forgot): nothing may block on a
// box nobody can see, so boxes go to stderr and every question takes its Escape answer.
class StderrDialogs final : public Dialogs {
public:
    void information(const QString& text) override { print("Information", text); }
    void plainMessage(const QString& text) override { print("Message", text); }
    int question(const QString& text, const QStringList& captions) override {
        print("Confirmação",
              text + QStringLiteral(" [") + captions.join(QStringLiteral(" | ")) + QStringLiteral("]"));
        return 2;
    }
    std::optional<QString> input(const QString& title, const QString& prompt, const QString&) override {
        print(title, prompt);
        return std::nullopt;
    }
    void error(const QString& text) override { print("Error", text); }
    void showFile(const QString& path) override { print("File", path); }
    void openPage(const QString& url) override { print("Page", url); }

private:
    static void print(const QString& kind, const QString& text) {
        std::fprintf(stderr, "[%s] %s\n", kind.toLocal8Bit().constData(), text.toLocal8Bit().constData());
    }
};

Dialogs* g_installed = nullptr;

} // namespace

Dialogs& dialogs() {
    static StderrDialogs fallback;
    return g_installed ? *g_installed : fallback;
}

void setDialogs(Dialogs* dialogs) {
    g_installed = dialogs;
}

bool runReporting(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        dialogs().error(MensagemDoErro(e));
    } catch (...) {
        dialogs().error(QStringLiteral("Erro desconhecido."));
    }
    return false;
}

namespace detail {
// For ScopedDialogs, which must put back exactly what was installed (possibly nothing).
Dialogs* installedDialogs() {
    return g_installed;
}
} // namespace detail

} // namespace platform

#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace platform {

// The desktop program's dialogs: modal boxes over the active window.
class QtDialogs : public Dialogs {
public:
    void information(const QString& text) override;
    void plainMessage(const QString& text) override;
    int question(const QString& text, const QStringList& captions) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultText) override;
    void error(const QString& text) override;
    void showFile(const QString& path) override;
    void openPage(const QString& url) override;
};

} // namespace platform

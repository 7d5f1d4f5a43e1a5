#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// Everything the system shows to the user outside its windows. The desktop program installs
// the Qt implementation, tests install ScriptedDialogs, fcont-cli one that prints to stderr.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal information box: information icon, title "Information", the text as given, one "OK".
    virtual void information(const QString& text) = 0;
    // Plain box with the application's title and one OK button.
    virtual void plainMessage(const QString& text) = 0;
    // Confirmation box titled "Confirmação" with the captions on the standard buttons of
    // positions 1..n (OK, Cancel, Abort, Retry, Ignore, Yes, No, All, NoToAll, YesToAll).
    // Returns the position of the button pressed; Escape or closing the box returns 2.
    virtual int question(const QString& text, const QStringList& captions) = 0;
    // Modal input box; nullopt when it was cancelled.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& defaultText) = 0;
    // The event loop's standard error box for errors nothing else caught.
    virtual void error(const QString& text) = 0;
    // Shows a text file to the user in a viewer; does not wait and reports nothing.
    virtual void showFile(const QString& path) = 0;
    // Loads a web page in the browser area; reports nothing.
    virtual void openPage(const QString& url) = 0;
};

// The installed implementation. The program installs one at start-up; it is the only piece of
// process-wide user-interface state besides the data modules.
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs);

// Runs `action` where the toolkit called back (a grid's editor, a bound control's signal) and an
// exception must not unwind through toolkit code: the silent abort is discarded, anything else
// goes to the standard error box, as at the event loop. False when `action` threw.
bool runReporting(const std::function<void()>& action);

} // namespace platform

#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <variant>

namespace platform {

// The test double of Dialogs: records every box in order and answers questions and inputs from
// a script. With the script empty a question answers Escape (2) and an input is cancelled.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Information, Plain, Question, Input, Error, ShowFile, OpenPage };

    struct Box {
        Kind kind;
        QString text;                       // message, question, file path or address; the prompt of an input
        QStringList captions;               // questions only
        QString title;                      // inputs only
        QString defaultText;                // inputs only
        int answer = 0;                     // questions: the position answered
        std::optional<QString> inputAnswer; // inputs: the text answered
    };

    // The next question is answered with the button that carries this caption; a question that
    // does not offer it throws std::logic_error (the test's script and the code disagree).
    void answerNext(const QString& caption);
    void answerNextPosition(int position);
    void answerNextEscape();
    void answerNextInput(std::optional<QString> text);

    const QList<Box>& boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear();

    void information(const QString& text) override;
    void plainMessage(const QString& text) override;
    int question(const QString& text, const QStringList& captions) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultText) override;
    void error(const QString& text) override;
    void showFile(const QString& path) override;
    void openPage(const QString& url) override;

private:
    struct ByCaption {
        QString caption;
    };
    struct ByPosition {
        int position;
    };
    std::deque<std::variant<ByCaption, ByPosition>> m_questionAnswers;
    std::deque<std::optional<QString>> m_inputAnswers;
    QList<Box> m_boxes;
};

// Installs a ScriptedDialogs for the lifetime of the object and puts the previous one back.
class ScopedDialogs {
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

    ScriptedDialogs& operator*() { return m_dialogs; }
    ScriptedDialogs* operator->() { return &m_dialogs; }
    ScriptedDialogs& get() { return m_dialogs; }

private:
    ScriptedDialogs m_dialogs;
    Dialogs* m_previous;
};

} // namespace platform

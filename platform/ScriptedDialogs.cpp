#include "platform/ScriptedDialogs.h"

#include <stdexcept>

namespace platform {

namespace detail {
Dialogs* installedDialogs();
}

void ScriptedDialogs::answerNext(const QString& caption) {
    m_questionAnswers.push_back(ByCaption{caption});
}

void ScriptedDialogs::answerNextPosition(int position) {
    m_questionAnswers.push_back(ByPosition{position});
}

void ScriptedDialogs::answerNextEscape() {
    m_questionAnswers.push_back(ByPosition{2});
}

void ScriptedDialogs::answerNextInput(std::optional<QString> text) {
    m_inputAnswers.push_back(std::move(text));
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const Box& box : m_boxes)
        result << box.text;
    return result;
}

void ScriptedDialogs::clear() {
    m_boxes.clear();
    m_questionAnswers.clear();
    m_inputAnswers.clear();
}

void ScriptedDialogs::information(const QString& text) {
    m_boxes.append(Box{Kind::Information, text, {}, {}, {}, 0, {}});
}

void ScriptedDialogs::plainMessage(const QString& text) {
    m_boxes.append(Box{Kind::Plain, text, {}, {}, {}, 0, {}});
}

int ScriptedDialogs::question(const QString& text, const QStringList& captions) {
    int answer = 2;
    if (!m_questionAnswers.empty()) {
        const auto scripted = m_questionAnswers.front();
        m_questionAnswers.pop_front();
        if (const auto* byCaption = std::get_if<ByCaption>(&scripted)) {
            const qsizetype index = captions.indexOf(byCaption->caption);
            if (index < 0)
                throw std::logic_error(("Scripted answer \"" + byCaption->caption +
                                        "\" is not offered by the question \"" + text + "\" (" +
                                        captions.join(", ") + ")")
                                           .toStdString());
            answer = int(index) + 1;
        } else {
            answer = std::get<ByPosition>(scripted).position;
        }
    }
    m_boxes.append(Box{Kind::Question, text, captions, {}, {}, answer, {}});
    return answer;
}

std::optional<QString> ScriptedDialogs::input(const QString& title, const QString& prompt,
                                              const QString& defaultText) {
    std::optional<QString> answer;
    if (!m_inputAnswers.empty()) {
        answer = m_inputAnswers.front();
        m_inputAnswers.pop_front();
    }
    m_boxes.append(Box{Kind::Input, prompt, {}, title, defaultText, 0, answer});
    return answer;
}

void ScriptedDialogs::error(const QString& text) {
    m_boxes.append(Box{Kind::Error, text, {}, {}, {}, 0, {}});
}

void ScriptedDialogs::showFile(const QString& path) {
    m_boxes.append(Box{Kind::ShowFile, path, {}, {}, {}, 0, {}});
}

void ScriptedDialogs::openPage(const QString& url) {
    m_boxes.append(Box{Kind::OpenPage, url, {}, {}, {}, 0, {}});
}

ScopedDialogs::ScopedDialogs() : m_previous(detail::installedDialogs()) {
    setDialogs(&m_dialogs);
}

ScopedDialogs::~ScopedDialogs() {
    setDialogs(m_previous);
}

} // namespace platform

#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include <array>

namespace platform {

namespace {

QWidget* parentWindow() {
    return QApplication::activeWindow();
}

// Messages are written with "\r" as the line break; a label breaks only on "\n".
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void showBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, displayText(text), QMessageBox::Ok, parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// Positions 1..10 are the result codes callers rely on; the names identify the buttons (tests
// find them by name), and the row keeps one fixed order on every platform, which QMessageBox
// does not promise: Yes, No, OK, Cancel, Abort, Retry, Ignore, All, No to All, Yes to All.
constexpr std::array<const char*, 10> buttonNames = {"Ok",  "Cancel", "Abort", "Retry",   "Ignore",
                                                     "Yes", "No",     "All",   "NoToAll", "YesToAll"};
constexpr std::array<int, 10> rowOrder = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10};
constexpr int escapePosition = 2;
constexpr int maxButtons = 10;

class QuestionDialog : public QDialog {
public:
    QuestionDialog(const QString& text, const QStringList& captions, QWidget* parent) : QDialog(parent) {
        setWindowTitle(QStringLiteral("Confirmação"));
        setObjectName(QStringLiteral("QuestionDialog"));

        auto* icon = new QLabel(this);
        const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(
            style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize, iconSize));
        icon->setAlignment(Qt::AlignTop);
        auto* label = new QLabel(displayText(text), this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

        auto* message = new QHBoxLayout;
        message->addWidget(icon);
        message->addWidget(label, 1);

        auto* row = new QHBoxLayout;
        row->addStretch(1);
        const int count = std::min<int>(int(captions.size()), maxButtons);
        QPushButton* okButton = nullptr;
        for (int position : rowOrder) {
            if (position > count)
                continue;
            auto* button = new QPushButton(captions.at(position - 1), this);
            button->setObjectName(QString::fromLatin1(buttonNames[position - 1]));
            connect(button, &QPushButton::clicked, this, [this, position] { done(position); });
            row->addWidget(button);
            if (position == 1)
                okButton = button;
        }
        row->addStretch(1);

        auto* layout = new QVBoxLayout(this);
        layout->addLayout(message);
        layout->addLayout(row);
        layout->setSizeConstraint(QLayout::SetFixedSize);

        if (okButton) {
            okButton->setDefault(true);
            okButton->setFocus();
        }
    }

    // Escape and the frame's close button both end here.
    void reject() override { done(escapePosition); }
};

} // namespace

void QtDialogs::information(const QString& text) {
    showBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtDialogs::plainMessage(const QString& text) {
    showBox(QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
}

int QtDialogs::question(const QString& text, const QStringList& captions) {
    QuestionDialog dialog(text, captions, parentWindow());
    return dialog.exec();
}

std::optional<QString> QtDialogs::input(const QString& title, const QString& prompt,
                                        const QString& defaultText) {
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(defaultText);
    // The program's own captions, whether or not the toolkit's translations are installed.
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtDialogs::error(const QString& text) {
    showBox(QMessageBox::Critical, QCoreApplication::applicationName(), text);
}

void QtDialogs::showFile(const QString& path) {
    // FCONT_VISUALIZADOR names the text viewer (with its own arguments, if any); the file goes last.
    const QString viewer = qEnvironmentVariable("FCONT_VISUALIZADOR");
    if (!viewer.trimmed().isEmpty()) {
        QStringList arguments = QProcess::splitCommand(viewer);
        const QString program = arguments.takeFirst();
        arguments << path;
        QProcess::startDetached(program, arguments);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtDialogs::openPage(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace platform

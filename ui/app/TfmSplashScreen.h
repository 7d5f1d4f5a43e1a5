#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QTimer;

namespace ui {

class TfmLogin;

// The first window: title and version for a few seconds, then the login. It is only ever
// hidden, never closed, and it owns the login window.
class TfmSplashScreen : public QWidget {
    Q_OBJECT
public:
    // The interval is the design's five seconds; tests shorten it.
    explicit TfmSplashScreen(int intervalo = 5000, QWidget* parent = nullptr);
    ~TfmSplashScreen() override;

    QLabel* laTitulo;
    QLabel* laVersao;
    QLabel* laStatus;
    QTimer* tmTime;

    TfmLogin* fmLogin() const { return m_login.get(); }

    void FormCreate();
    void tmTimeTimer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TfmLogin> m_login;
};

} // namespace ui

#pragma once

#include <QString>
#include <QWidget>

class QWebEngineView;

namespace Platform {

// The web browser control: a Chromium view (Qt WebEngine) filling the widget. Navigation start, finish (with
// its success) and address changes become signals.
//
// Chromium ends the whole process when it starts as root with its sandbox on, so in that case no browser is
// started and every navigation reports failure; QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox (or
// QTWEBENGINE_DISABLE_SANDBOX=1) lifts that. On the offscreen platform the software scene graph is chosen,
// since there is no OpenGL to draw with.
class WebBrowserControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char *classId = "8856F961-340A-11D0-A96B-00C04FD705A2";

    explicit WebBrowserControl(QWidget *parent = nullptr);
    ~WebBrowserControl() override;

    // Whether this process may start the browser; when not, `reason` says why.
    static bool browserAllowed(QString *reason = nullptr);

    QWebEngineView *view() const { return m_view; }
    QString title() const;
    QString address() const;

public slots:
    // Loads the address; an address that is not a valid URL fails at once.
    void Navigate(const QString &url);

signals:
    void navigationStarted(const QString &url);
    void navigationFinished(const QString &url, bool ok);
    void addressChanged(const QString &url);

private:
    void reportFailure(const QString &url);

    QWebEngineView *m_view = nullptr;
};

} // namespace Platform

#include "Platform/web/WebBrowserControl.h"

#include <QDebug>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

namespace Platform {

namespace {

bool sandboxDisabled()
{
    return qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QLatin1String("--no-sandbox"))
           || qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0;
}

} // namespace

bool WebBrowserControl::browserAllowed(QString *reason)
{
    if (geteuid() == 0 && !sandboxDisabled()) {
        if (reason)
            *reason = QStringLiteral("running as root needs QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox");
        return false;
    }
    return true;
}

WebBrowserControl::WebBrowserControl(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setLayout(layout);

    QString reason;
    if (!browserAllowed(&reason)) {
        qWarning().noquote() << "WebBrowserControl: no browser started:" << reason;
        return;
    }
    // Read when the first view makes its scene graph; OpenGL is not there to draw offscreen.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");

    m_view = new QWebEngineView;
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    connect(m_view, &QWebEngineView::loadStarted, this,
            [this] { emit navigationStarted(m_view->page()->requestedUrl().toString()); });
    connect(m_view, &QWebEngineView::loadFinished, this,
            [this](bool ok) { emit navigationFinished(m_view->url().toString(), ok); });
    connect(m_view, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { emit addressChanged(url.toString()); });
}

WebBrowserControl::~WebBrowserControl() = default;

QString WebBrowserControl::title() const
{
    return m_view ? m_view->title() : QString();
}

QString WebBrowserControl::address() const
{
    return m_view ? m_view->url().toString() : QString();
}

void WebBrowserControl::Navigate(const QString &url)
{
    const QUrl target(url);
    if (!m_view || !target.isValid() || target.isRelative()) {
        reportFailure(url);
        return;
    }
    m_view->load(target);
}

void WebBrowserControl::reportFailure(const QString &url)
{
    // Reported from the event loop, as a browser would, so a caller connects before it hears the outcome.
    QTimer::singleShot(0, this, [this, url] {
        emit navigationStarted(url);
        emit navigationFinished(url, false);
    });
}

} // namespace Platform

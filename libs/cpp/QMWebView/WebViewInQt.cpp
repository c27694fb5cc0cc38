#include "QMWebView/WebViewInQt.h"

#include "QMWebView/CustomWebView.h"

#include "Platform/web/WebBrowserControl.h"

#include <QHBoxLayout>

namespace QMWebView {

WebViewInQt::WebViewInQt(QWidget *parent) : QFrame(parent)
{
    m_view = new CustomWebView;
    auto *layout = new QHBoxLayout;
    layout->addWidget(m_view);
    setLayout(layout);

    auto *browser = qobject_cast<Platform::WebBrowserControl *>(m_view->controlWidget());
    if (!browser)
        return;
    connect(browser, &Platform::WebBrowserControl::navigationStarted, this,
            [this, browser](const QString &url) { emitLoadStart(url, browser->title()); });
    connect(browser, &Platform::WebBrowserControl::navigationFinished, this,
            [this, browser](const QString &url, bool ok) {
                if (ok)
                    emitLoadFinish(url, browser->title());
                else
                    emitLoadError();
            });
    connect(browser, &Platform::WebBrowserControl::addressChanged, this, &WebViewInQt::emitUrlChanged);
}

WebViewInQt::WebViewInQt(int, QWidget *parent) : WebViewInQt(parent)
{
}

WebViewInQt::~WebViewInQt() = default;

void WebViewInQt::navigate(const QString &url)
{
    m_view->dynamicCall("Navigate(const QString&)", url);
}

void WebViewInQt::emitLoadStart(const QString &url, const QString &title)
{
    emit loadStart(url, title);
}

void WebViewInQt::emitLoadFinish(const QString &url, const QString &title)
{
    emit loadFinish(url, title);
}

void WebViewInQt::emitLoadError()
{
    emit loadError();
}

void WebViewInQt::emitUrlChanged(const QString &url)
{
    emit urlChanged(url);
}

} // namespace QMWebView

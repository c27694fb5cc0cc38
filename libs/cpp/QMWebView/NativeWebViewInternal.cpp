#include "QMWebView/NativeWebViewInternal.h"

#include "QMWebView/WebViewInQt.h"

namespace QMWebView {

NativeWebViewInternal::NativeWebViewInternal(QWidget *parent) : QLabel(parent)
{
    m_frame = new WebViewInQt(this);
    m_frame->move(0, 0);
    connect(m_frame, SIGNAL(loadFinish(QString,QString)), this, SLOT(slotLoadFinish(QString,QString)));
    connect(m_frame, SIGNAL(loadStart(QString,QString)), this, SLOT(slotLoadStart(QString,QString)));
    connect(m_frame, SIGNAL(urlChanged(QString)), this, SLOT(slotUrlChanged(QString)));
    connect(m_frame, SIGNAL(loadError()), this, SLOT(slotLoadError()));
}

NativeWebViewInternal::~NativeWebViewInternal() = default;

void NativeWebViewInternal::load(const QString &url)
{
    m_frame->navigate(url);
}

void NativeWebViewInternal::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    m_frame->resize(width(), height());
}

void NativeWebViewInternal::slotLoadStart(const QString &url, const QString &title)
{
    emit loadStart(url, title);
}

void NativeWebViewInternal::slotLoadFinish(const QString &url, const QString &title)
{
    emit loadFinish(url, title);
}

void NativeWebViewInternal::slotLoadError()
{
    emit loadError();
}

void NativeWebViewInternal::slotUrlChanged(const QString &url)
{
    emit urlChanged(url);
}

} // namespace QMWebView

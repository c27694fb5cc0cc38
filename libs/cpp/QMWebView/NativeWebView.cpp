#include "QMWebView/NativeWebView.h"

#include "QMWebView/NativeWebViewInternal.h"

#include <QVBoxLayout>

namespace QMWebView {

NativeWebView::NativeWebView(QWidget *parent) : QWidget(parent)
{
    m_internal = new NativeWebViewInternal(this);
    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_internal);
    setLayout(layout);
    connect(m_internal, SIGNAL(loadStart(QString,QString)), this, SLOT(slotLoadStart(QString,QString)));
    connect(m_internal, SIGNAL(loadFinish(QString,QString)), this, SLOT(slotLoadFinish(QString,QString)));
    connect(m_internal, SIGNAL(loadError()), this, SLOT(slotLoadError()));
    connect(m_internal, SIGNAL(urlChanged(QString)), this, SIGNAL(urlChanged(QString)));
}

NativeWebView::~NativeWebView() = default;

void NativeWebView::load(const QUrl &url)
{
    m_internal->load(url.toString());
    m_startAnnounced = true;
    emit loadStarted();
}

void NativeWebView::slotLoadStart(const QString &, const QString &)
{
    if (m_startAnnounced) {
        m_startAnnounced = false;
        return;
    }
    emit loadStarted();
}

void NativeWebView::slotLoadFinish(const QString &, const QString &)
{
    m_startAnnounced = false;
    emit loadFinished(true);
}

void NativeWebView::slotLoadError()
{
    m_startAnnounced = false;
    emit loadFinished(false);
}

} // namespace QMWebView

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
    ++m_announcedStarts;
    emit loadStarted();
}

void NativeWebView::slotLoadStart(const QString &, const QString &)
{
    ++m_openNavigations;
    if (m_announcedStarts > 0) {
        --m_announcedStarts;
        return;
    }
    emit loadStarted();
}

void NativeWebView::slotLoadFinish(const QString &, const QString &)
{
    navigationEnded();
    emit loadFinished(true);
}

void NativeWebView::slotLoadError()
{
    navigationEnded();
    emit loadFinished(false);
}

// A navigation that ends without its start having been heard settles the oldest announced load, so
// a later start that the page makes itself is not taken for that load's.
void NativeWebView::navigationEnded()
{
    if (m_openNavigations > 0)
        --m_openNavigations;
    else if (m_announcedStarts > 0)
        --m_announcedStarts;
}

} // namespace QMWebView

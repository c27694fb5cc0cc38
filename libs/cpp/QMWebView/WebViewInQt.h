#pragma once

#include <QFrame>
#include <QString>

class CustomWebView;

namespace QMWebView {

// Frames the hosted browser. The browser's navigation events drive the emit operations: a start gives
// loadStart(url, title of the page being left), a success loadFinish(url, title), a failure loadError(),
// and every new address urlChanged(url).
class WebViewInQt : public QFrame
{
    Q_OBJECT

public:
    explicit WebViewInQt(QWidget *parent = nullptr);
    // The first argument is not used.
    WebViewInQt(int unused, QWidget *parent);
    ~WebViewInQt() override;

    void navigate(const QString &url);
    CustomWebView *view() const { return m_view; }

    void emitLoadStart(const QString &url, const QString &title);
    void emitLoadFinish(const QString &url, const QString &title);
    void emitLoadError();
    void emitUrlChanged(const QString &url);

signals:
    void loadStart(const QString &url, const QString &title);
    void loadFinish(const QString &url, const QString &title);
    void loadError();
    void urlChanged(const QString &url);

private:
    CustomWebView *m_view = nullptr;
};

} // namespace QMWebView

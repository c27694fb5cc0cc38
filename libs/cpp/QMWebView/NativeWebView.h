#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

namespace QMWebView {

class NativeWebViewInternal;

// A web view with the signals of QWebView: loadStarted() once per load, loadFinished(bool) and urlChanged.
class NativeWebView : public QWidget
{
    Q_OBJECT

public:
    explicit NativeWebView(QWidget *parent = nullptr);
    ~NativeWebView() override;

    void load(const QUrl &url);
    NativeWebViewInternal *internal() const { return m_internal; }

signals:
    void loadStarted();
    void loadFinished(bool ok);
    void urlChanged(const QString &url);

public slots:
    void slotLoadStart(const QString &url, const QString &title);
    void slotLoadFinish(const QString &url, const QString &title);
    void slotLoadError();

private:
    NativeWebViewInternal *m_internal = nullptr;
    // load() announces its start itself; the browser's own start of that navigation is then not repeated.
    bool m_startAnnounced = false;
};

} // namespace QMWebView

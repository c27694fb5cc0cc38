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
    void navigationEnded();

    NativeWebViewInternal *m_internal = nullptr;
    // load() announces its start itself; the browser's own start of each such navigation is then not
    // repeated. Loads follow each other faster than the browser reports, so these are counts.
    int m_announcedStarts = 0;
    int m_openNavigations = 0; // started by the browser, not yet finished
};

} // namespace QMWebView

#pragma once

#include <QLabel>
#include <QString>

namespace QMWebView {

class WebViewInQt;

// Holds the browser frame at (0, 0) and keeps it at its own full size; relays the frame's signals.
class NativeWebViewInternal : public QLabel
{
    Q_OBJECT

public:
    explicit NativeWebViewInternal(QWidget *parent = nullptr);
    ~NativeWebViewInternal() override;

    void load(const QString &url);
    WebViewInQt *frame() const { return m_frame; }

signals:
    void loadStart(const QString &url, const QString &title);
    void loadFinish(const QString &url, const QString &title);
    void loadError();
    void urlChanged(const QString &url);

public slots:
    void slotLoadStart(const QString &url, const QString &title);
    void slotLoadFinish(const QString &url, const QString &title);
    void slotLoadError();
    void slotUrlChanged(const QString &url);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    WebViewInQt *m_frame = nullptr;
};

} // namespace QMWebView

#pragma once

#include <QDialog>

#include <functional>

class QPushButton;
class QUrl;

namespace QMWidgets {

class HelpViewArea;

// The introduction: the slide show, a button that turns it off for good and, when a video link is
// set, a button that opens the video.
class HelpDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens a link and tells whether that worked; the desktop's URL handler unless replaced.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit HelpDialog(QWidget *parent);

    void addSlide(const QString &path);
    void setVideoLink(const QString &link);
    void hideSkipButton();

    static bool shouldShowIntro();
    // Replaces how the video button opens links; an empty opener restores the desktop's.
    static void setUrlOpener(const UrlOpener &opener);

public slots:
    void slotReject();
    void slotNeverShowItAgain();
    void slotWatchVideo();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    static bool openLink(const QString &link);

    QPushButton *m_skipButton = nullptr;
    HelpViewArea *m_area = nullptr;
    QPushButton *m_videoButton = nullptr;
    bool m_skipSuppressed = false;
    QString m_videoLink;
};

} // namespace QMWidgets

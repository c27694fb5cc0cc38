#pragma once

#include <QFrame>

class QAction;
class QBoxLayout;
class QEventLoop;
class QMovie;
class QPushButton;
class QVBoxLayout;

namespace QMWidgets {

class IconLabel;
class TitleLabel;

// A frameless top-level window with a title bar of its own that can run modally like a dialog:
// exec() returns 1 after accept() and 0 after reject(), Escape, the Close button or any other close, and 0
// when the frame is deleted while it runs.
class TopWidget : public QFrame
{
    Q_OBJECT

public:
    // With a content widget, the content layout lies in a child named "TopOverWidget" for the style sheet.
    explicit TopWidget(bool withContentWidget = false, QWidget *parent = nullptr);
    ~TopWidget() override;

    QBoxLayout *contentLayout() const;
    void setTitle(const QString &title);
    void setTitleHeight(int height);
    void hideCloseButton();
    void hideMaximizeButton();
    void hideMinimizeButton();
    void showCloseButton();
    void showMaximizeButton();
    void showMinimizeButton();
    void setIcon(const QPixmap &pixmap);
    void setTitleOverlay(QWidget *widget, const QPoint &offset);
    void setTitleOverlayMovie(QMovie *movie, const QPoint &offset);
    void setTitleOverlayPixmap(const QPixmap &pixmap, const QPoint &offset);
    int exec();

public slots:
    void accept();
    void reject();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QVBoxLayout *m_contentLayout = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_maximizeButton = nullptr;
    QPushButton *m_minimizeButton = nullptr;
    TitleLabel *m_titleLabel = nullptr;
    IconLabel *m_iconLabel = nullptr;
    // The loop of the running exec(), which lives on its stack: a frame deleted while it runs ends it.
    QEventLoop *m_loop = nullptr;
    QAction *m_escapeAction = nullptr;
};

} // namespace QMWidgets

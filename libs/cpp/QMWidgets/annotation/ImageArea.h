#pragma once

#include <QFrame>
#include <QPixmap>

class QLabel;
class QMovie;
class QPushButton;
class QScrollArea;

namespace QMWidgets {

class ZoomedPicture;

// Shows one picture fitted to the area or at a zoom in percent, with hover buttons that ask the owner
// for the next or previous picture, a loading animation until it comes, and an information label.
class ImageArea : public QFrame
{
    Q_OBJECT

public:
    explicit ImageArea(QWidget *parent = nullptr);

    void setImage(const QPixmap &image);
    QPixmap pixmap() const;
    // An empty text hides the label.
    void setInfoText(const QString &text);
    void setNavigationHidden(bool hidden);
    void applyZoom(int percent);
    void fitImage();
    void updatePreview();

signals:
    void next();
    void previous();
    void infoChanged();

public slots:
    void slotZoom(int percent);
    void slotFitScreen();
    void slotHideInfo();
    void slotShowInfo();
    void slotNextClicked();
    void slotPreviousClicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showLoading();
    // The picture's size kept within size; empty for no picture.
    QSize scaledSize(const QSize &size) const;

    QScrollArea *m_scrollArea = nullptr;
    ZoomedPicture *m_previewLabel = nullptr;
    int m_zoom = 100;
    QPixmap m_image;
    bool m_fitToWindow = true;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_previousButton = nullptr;
    QLabel *m_infoLabel = nullptr;
    QLabel *m_loadingLabel = nullptr;
    QMovie *m_loadingMovie = nullptr;
    bool m_navigationHidden = false;
};

} // namespace QMWidgets

#pragma once

#include <QFrame>

class QImage;
class QPushButton;
class QSlider;

namespace QMWidgets {

class ImageArea;

// A picture area with a zoom slider from 1 to 100 %, zoom buttons, actual-pixels and fit-to-window
// buttons and a button that opens the picture in the desktop's own viewer. The owner supplies the
// pictures and answers next() and previous().
class ImageViewer : public QFrame
{
    Q_OBJECT

public:
    explicit ImageViewer(QWidget *parent = nullptr);

    void setInfoText(const QString &text);
    void setNavigationHidden(bool hidden);

signals:
    void next();
    void previous();
    void systemPreviewOpened();
    void infoChanged();

public slots:
    void slotLoad(const QString &path);
    void slotLoad(const QImage &image);
    void slotActualPixels();
    void slotZoom(int percent);
    void slotFitScreen();
    void slotIncZoom();
    void slotDecZoom();
    void slotSysPreview();
    void slotShowInfo();

private:
    ImageArea *m_area = nullptr;
    QSlider *m_slider = nullptr;
    QPushButton *m_fitButton = nullptr;
    QPushButton *m_actualPixelsButton = nullptr;
};

// Opens a local file, or else the link the text spells, with the desktop's URL handler.
void openWithDesktop(const QString &path);

} // namespace QMWidgets

#include "QMWidgets/desktop/ImageViewer.h"

#include "MGraphX/ImageWriting.h"
#include "MGraphX/PictureReading.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/annotation/ImageArea.h"

#include <QBoxLayout>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPushButton>
#include <QSlider>
#include <QUrl>

namespace QMWidgets {

namespace {
const int MinimumViewerHeight = 400;
const int ButtonHeight = 32;
const int ZoomButtonSide = 44;
const int SliderMinimumWidth = 200;
const int ActualPixelsPercent = 100;
}

ImageViewer::ImageViewer(QWidget *parent)
    : QFrame(parent)
{
    setMinimumHeight(MinimumViewerHeight);

    auto *previewButton = new QPushButton(tr("Open with Preview"));
    previewButton->setObjectName(QStringLiteral("SysPreviewButton"));
    previewButton->setFixedHeight(ButtonHeight);
    previewButton->setFlat(true);

    m_area = new ImageArea;

    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setObjectName(QStringLiteral("ImageViewSlider"));
    m_slider->setRange(1, 100);
    m_slider->setValue(100);
    m_slider->setTickPosition(QSlider::TicksBothSides);
    m_slider->setMinimumWidth(SliderMinimumWidth);

    m_fitButton = new QPushButton;
    m_fitButton->setObjectName(QStringLiteral("FitToScreenButton"));
    m_fitButton->setToolTip(tr("Fit To Window"));
    m_fitButton->setCheckable(true);
    m_fitButton->setChecked(true);
    m_fitButton->setFlat(true);

    m_actualPixelsButton = new QPushButton(tr("Actual Pixels"));
    m_actualPixelsButton->setObjectName(QStringLiteral("ActualPixelsButton"));
    m_actualPixelsButton->setToolTip(tr("100%"));
    m_actualPixelsButton->setFixedHeight(ButtonHeight);
    m_actualPixelsButton->setCheckable(true);
    m_actualPixelsButton->setFlat(true);

    // "ZoomIn" lowers the zoom and "ZoomOut" raises it: the style sheet draws them by these names.
    auto *zoomInButton = new QPushButton;
    zoomInButton->setObjectName(QStringLiteral("ZoomInButton"));
    zoomInButton->setFixedSize(ZoomButtonSide, ZoomButtonSide);
    zoomInButton->setFlat(true);
    auto *zoomOutButton = new QPushButton;
    zoomOutButton->setObjectName(QStringLiteral("ZoomOutButton"));
    zoomOutButton->setFixedSize(ZoomButtonSide, ZoomButtonSide);
    zoomOutButton->setFlat(true);

    connect(m_area, SIGNAL(next()), this, SIGNAL(next()));
    connect(m_area, SIGNAL(previous()), this, SIGNAL(previous()));
    connect(m_area, SIGNAL(infoChanged()), this, SIGNAL(infoChanged()));

    connect(m_slider, SIGNAL(valueChanged(int)), this, SLOT(slotZoom(int)));
    connect(m_slider, SIGNAL(sliderPressed()), this, SLOT(slotShowInfo()));
    connect(m_slider, SIGNAL(sliderReleased()), m_area, SLOT(slotHideInfo()));
    connect(m_fitButton, SIGNAL(clicked()), this, SLOT(slotFitScreen()));
    connect(m_actualPixelsButton, SIGNAL(clicked()), this, SLOT(slotActualPixels()));
    connect(previewButton, SIGNAL(clicked()), this, SLOT(slotSysPreview()));
    connect(zoomOutButton, SIGNAL(clicked()), this, SLOT(slotIncZoom()));
    connect(zoomInButton, SIGNAL(clicked()), this, SLOT(slotDecZoom()));

    auto *topRow = new QHBoxLayout;
    topRow->addStretch(1);
    topRow->addWidget(previewButton);
    topRow->addStretch(1);

    auto *bottomRow = new QHBoxLayout;
    bottomRow->setContentsMargins(5, 5, 5, 5);
    bottomRow->setSpacing(1);
    bottomRow->addWidget(zoomInButton);
    bottomRow->addWidget(m_slider);
    bottomRow->addWidget(zoomOutButton);
    bottomRow->addSpacing(5);
    bottomRow->addWidget(m_actualPixelsButton);
    bottomRow->addSpacing(20);
    bottomRow->addWidget(m_fitButton);
    bottomRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(topRow);
    layout->addWidget(m_area);
    layout->addLayout(bottomRow);
}

void ImageViewer::setInfoText(const QString &text)
{
    m_area->setInfoText(text);
}

void ImageViewer::setNavigationHidden(bool hidden)
{
    m_area->setNavigationHidden(hidden);
}

void ImageViewer::slotLoad(const QString &path)
{
    QImage image;
    QString error;
    QSize tooLarge;
    if (!MGraphX::readPictureBounded(path, MGraphX::MaximumPicturePixels, &image, &error, &tooLarge)) {
        slotLoad(QImage());
        if (tooLarge.isValid())
            m_area->setInfoText(tr("<H1>This picture is too large to show: %1 x %2 pixels</H1>")
                                    .arg(tooLarge.width())
                                    .arg(tooLarge.height()));
        else
            m_area->setInfoText(tr("<H1>This picture cannot be shown: %1</H1>").arg(error.toHtmlEscaped()));
        return;
    }
    slotLoad(image);
}

void ImageViewer::slotLoad(const QImage &image)
{
    m_area->setImage(QPixmap::fromImage(image));
}

void ImageViewer::slotZoom(int percent)
{
    m_area->setInfoText(QStringLiteral("<H1>") + QString::number(percent) + QStringLiteral("%</H1>"));
    {
        const QSignalBlocker blocker(m_fitButton);
        m_fitButton->setChecked(false);
    }
    {
        const QSignalBlocker blocker(m_actualPixelsButton);
        m_actualPixelsButton->setChecked(m_slider->value() == ActualPixelsPercent);
    }
    m_area->slotZoom(percent);
}

void ImageViewer::slotIncZoom()
{
    if (m_slider->value() <= 99)
        m_slider->setValue(m_slider->value() + 1);
}

void ImageViewer::slotDecZoom()
{
    if (m_slider->value() >= 2)
        m_slider->setValue(m_slider->value() - 1);
}

void ImageViewer::slotActualPixels()
{
    {
        const QSignalBlocker blocker(m_fitButton);
        m_fitButton->setChecked(false);
    }
    if (!m_actualPixelsButton->isChecked())
        return;
    // Setting the value it already has would not signal.
    if (m_slider->value() == ActualPixelsPercent)
        slotZoom(ActualPixelsPercent);
    m_slider->setValue(ActualPixelsPercent);
}

void ImageViewer::slotFitScreen()
{
    m_area->setInfoText(QString());
    m_area->slotHideInfo();
    m_actualPixelsButton->setChecked(false);
    m_area->slotFitScreen();
}

void ImageViewer::slotShowInfo()
{
    slotZoom(m_slider->value());
}

void ImageViewer::slotSysPreview()
{
    const QString path = App::instance()->workDirectory(true) + QStringLiteral("preview.png");
    // A failed save would hand the desktop an old preview, or none, as if it were this picture.
    if (!MGraphX::writeImageSafely(path, m_area->pixmap().toImage(), "png"))
        return;
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        emit systemPreviewOpened();
}

void openWithDesktop(const QString &path)
{
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    else
        QDesktopServices::openUrl(QUrl(path, QUrl::TolerantMode));
}

} // namespace QMWidgets

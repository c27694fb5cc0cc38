#include "QMWidgets/annotation/ImageArea.h"

#include "QMWidgets/annotation/ZoomedPicture.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace QMWidgets {

namespace {
const int LoadingLabelSide = 144;
const int LoadingMovieSide = 96;
}

ImageArea::ImageArea(QWidget *parent)
    : QFrame(parent)
{
    m_scrollArea = new QScrollArea(this);
    m_previewLabel = new ZoomedPicture;
    m_previewLabel->setObjectName(QStringLiteral("PreviewLabel"));
    m_previewLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_scrollArea->setWidget(m_previewLabel);

    m_loadingLabel = new QLabel;
    m_loadingLabel->setObjectName(QStringLiteral("ImageLoadingLabel"));
    m_loadingLabel->setAlignment(Qt::AlignCenter);
    m_loadingLabel->setFixedSize(LoadingLabelSide, LoadingLabelSide);
    // Owned by the area, so it goes with it; the label only shows it.
    m_loadingMovie = new QMovie(QStringLiteral(":/loading_image.gif"), QByteArray(), this);
    m_loadingMovie->setScaledSize(QSize(LoadingMovieSide, LoadingMovieSide));
    m_loadingLabel->setMovie(m_loadingMovie);
    m_loadingLabel->hide();

    m_nextButton = new QPushButton;
    m_nextButton->setObjectName(QStringLiteral("NextImageButton"));
    m_previousButton = new QPushButton;
    m_previousButton->setObjectName(QStringLiteral("PreviousImageButton"));
    m_infoLabel = new QLabel;
    // Empty, it would still show its backdrop over the picture.
    m_infoLabel->hide();
    connect(m_nextButton, SIGNAL(clicked()), this, SLOT(slotNextClicked()));
    connect(m_previousButton, SIGNAL(clicked()), this, SLOT(slotPreviousClicked()));

    auto *firstRow = new QHBoxLayout;
    firstRow->setContentsMargins(0, 0, 0, 0);
    firstRow->setSpacing(0);
    firstRow->addWidget(m_previousButton);
    firstRow->addStretch(1);
    firstRow->addWidget(m_loadingLabel);
    firstRow->addStretch(1);
    firstRow->addWidget(m_nextButton);

    auto *secondRow = new QHBoxLayout;
    secondRow->setContentsMargins(0, 0, 0, 0);
    secondRow->setSpacing(0);
    secondRow->addStretch(1);
    secondRow->addWidget(m_infoLabel);
    secondRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    layout->addLayout(firstRow);
    layout->addStretch(1);
    layout->addLayout(secondRow);
}

void ImageArea::setImage(const QPixmap &image)
{
    m_image = image;
    m_previewLabel->setPicture(image);
    updatePreview();
    m_loadingMovie->stop();
    m_loadingLabel->hide();
}

QPixmap ImageArea::pixmap() const
{
    return m_image;
}

void ImageArea::setInfoText(const QString &text)
{
    if (text.isEmpty()) {
        m_infoLabel->hide();
        return;
    }
    m_infoLabel->setText(text);
    m_infoLabel->show();
}

void ImageArea::setNavigationHidden(bool hidden)
{
    m_navigationHidden = hidden;
    if (hidden) {
        m_nextButton->hide();
        m_previousButton->hide();
        m_infoLabel->hide();
    }
}

// No picture, or one that could not be read, shows as an empty preview.
QSize ImageArea::scaledSize(const QSize &size) const
{
    if (m_image.isNull())
        return QSize();
    const QSize scaled = m_image.size().scaled(size, Qt::KeepAspectRatio);
    return scaled.isEmpty() ? QSize() : scaled;
}

void ImageArea::applyZoom(int percent)
{
    m_zoom = percent;
    const int w = width();
    const int h = height();
    // Only the part that shows is scaled, when it is painted: a zoom step costs the pixels on screen.
    const QSize scaled = scaledSize(m_image.size() * percent / 100.0);
    m_previewLabel->setShownSize(scaled);
    const int sw = scaled.width();
    const int sh = scaled.height();

    const bool wider = w <= sw;
    const bool higher = h <= sh;
    m_previewLabel->setFixedSize(wider ? sw : w, higher ? sh : h);
    m_scrollArea->setHorizontalScrollBarPolicy(wider ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(higher ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_scrollArea->setGeometry(0, 0, w, h);
}

void ImageArea::fitImage()
{
    const int w = width();
    const int h = height();
    m_previewLabel->setShownSize(scaledSize(QSize(w, h)));
    m_scrollArea->setGeometry(0, 0, w, h);
    m_previewLabel->setFixedSize(w, h);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ImageArea::updatePreview()
{
    if (m_fitToWindow)
        fitImage();
    else
        applyZoom(m_zoom);
}

void ImageArea::slotZoom(int percent)
{
    m_fitToWindow = false;
    applyZoom(percent);
}

void ImageArea::slotFitScreen()
{
    m_infoLabel->setText(tr("<H1>Fit to Window</H1>"));
    m_fitToWindow = true;
    fitImage();
}

void ImageArea::slotHideInfo()
{
    m_infoLabel->hide();
}

void ImageArea::slotShowInfo()
{
    if (!m_infoLabel->text().isEmpty())
        m_infoLabel->show();
}

void ImageArea::showLoading()
{
    // Without its animation the label is an empty box, left standing for good when the owner does not
    // answer.
    if (!m_loadingMovie->isValid())
        return;
    m_loadingMovie->start();
    m_loadingLabel->show();
}

void ImageArea::slotNextClicked()
{
    showLoading();
    const QPointer<ImageArea> alive(this);
    emit next();
    if (alive)
        emit infoChanged();
}

void ImageArea::slotPreviousClicked()
{
    showLoading();
    const QPointer<ImageArea> alive(this);
    emit previous();
    if (alive)
        emit infoChanged();
}

void ImageArea::enterEvent(QEvent *event)
{
    if (!m_navigationHidden) {
        m_nextButton->show();
        m_previousButton->show();
    }
    slotShowInfo();
    QFrame::enterEvent(event);
}

void ImageArea::leaveEvent(QEvent *event)
{
    m_nextButton->hide();
    m_previousButton->hide();
    m_infoLabel->hide();
    QFrame::leaveEvent(event);
}

void ImageArea::resizeEvent(QResizeEvent *event)
{
    updatePreview();
    QFrame::resizeEvent(event);
}

} // namespace QMWidgets

#include "QMWidgets/dialogs/HelpDisplay.h"

#include "QMWidgets/app/App.h"

#include "MGraphX/PictureReading.h"
#include "MTools/FileReading.h"

#include <QImage>
#include <QPainter>

namespace QMWidgets {

HelpDisplay::HelpDisplay(QWidget *parent)
    : QFrame(parent)
{
}

void HelpDisplay::setImage(const QString &path)
{
    m_imagePath = path;
    m_image = QImage();
    QByteArray bytes;
    if (path.startsWith(QLatin1Char(':')))
        m_image = QImage(path);
    else if (MTools::readFileBounded(path, MTools::NamedResourceBound, &bytes))
        MGraphX::decodePictureBounded(bytes, MGraphX::MaximumPicturePixels, &m_image);
    update();
}

QString HelpDisplay::image() const
{
    return m_imagePath;
}

void HelpDisplay::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_imagePath.isEmpty())
        return;

    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.fillRect(rect(), Qt::black);

    // Pictures are scaled for the screen's device pixels and drawn at logical size.
    const int ratio = qMax(1, int(App::primaryScreenPixelRatio()));
    const QImage image = m_image.scaled(size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QSize drawn = image.size() / ratio;
    const QRect target(qAbs(width() - drawn.width()) / 2, qAbs(height() - drawn.height()) / 2, drawn.width(),
                       drawn.height());
    painter.drawImage(target, image);
}

} // namespace QMWidgets

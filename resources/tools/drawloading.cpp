// Paints the frames of the waiting animation into a folder: drawloading <folder> writes loading_00.png ...
// Qt reads GIF but cannot write it, so the target "loadinggif" joins the frames with ImageMagick afterwards.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include <cstdio>

namespace {

const int s_frames = 12;
const int s_size = 32;

// A ring of dots whose brightest dot moves one place clockwise a frame; the others fade behind it.
// Shades of one colour rather than alpha, because a GIF has only one transparent colour.
void paintFrame(QPainter &p, int frame)
{
    p.setPen(Qt::NoPen);
    const QPointF centre(s_size / 2.0, s_size / 2.0);
    for (int dot = 0; dot < s_frames; ++dot) {
        const int age = (frame - dot + s_frames) % s_frames;
        const int shade = 240 - age * 14;
        p.setBrush(QColor(shade / 4, shade * 3 / 4, shade));
        const qreal angle = qDegreesToRadians(dot * 360.0 / s_frames - 90.0);
        const QPointF at = centre + QPointF(qCos(angle), qSin(angle)) * (s_size / 2.0 - 4.5);
        const qreal radius = age < 3 ? 3.5 : 2.75;
        p.drawEllipse(at, radius, radius);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawloading <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (int frame = 0; frame < s_frames; ++frame) {
        QImage image(s_size, s_size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, true);
            paintFrame(painter, frame);
        }
        const QString path = folder.filePath(QStringLiteral("loading_%1.png").arg(frame, 2, 10, QLatin1Char('0')));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

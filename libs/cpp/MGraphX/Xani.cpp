#include "MGraphX/Xani.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"

#include <QBuffer>
#include <QDebug>

namespace MGraphX {

namespace {

const int headLength = 40;
const int sizeFieldLength = 16;
const int LoggedDescriptionLength = 10000;

// A size field: lower-case hexadecimal, left-aligned, padded with spaces to 16 characters.
QByteArray sizeField(qint64 value)
{
    return QByteArray::number(value, 16).leftJustified(sizeFieldLength, ' ');
}

// Names and formats go into attribute values; unescaped quotes or brackets would end them early.
QString escaped(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    result.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    result.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    result.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return result;
}

QByteArray upToZero(const QByteArray &bytes)
{
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

// A size field read back: its text up to a zero byte, without spaces, parsed as hexadecimal.
bool parseSizeField(const QByteArray &field, qint64 *value, QString *text)
{
    *text = QString::fromLatin1(upToZero(field)).remove(QLatin1Char(' '));
    bool ok = false;
    *value = text->toLongLong(&ok, 16);
    return ok && *value >= 0;
}

} // namespace

Xani::Xani(const QString &, QObject *parent)
    : QObject(parent)
{
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(nextFrame()));
}

Xani::Xani(const Xani &other)
    : QObject(nullptr)
    , QImage()
    , m_loop(other.m_loop)
    , m_frameDuration(other.m_frameDuration)
    , m_frames(other.m_frames)
{
}

Xani &Xani::operator=(const Xani &other)
{
    m_loop = other.m_loop;
    m_frameDuration = other.m_frameDuration;
    m_frames = other.m_frames;
    return *this;
}

Xani::~Xani()
{
    m_timer.stop();
}

XaniFrame Xani::frame(int index) const
{
    if (index < 0 || index >= m_frames.size())
        return XaniFrame();
    return m_frames.at(index);
}

int Xani::appendFrame(const XaniFrame &frame)
{
    m_frames.append(frame);
    return m_frames.size();
}

void Xani::replaceFrame(int index, const XaniFrame &frame)
{
    if (index >= 0 && index < m_frames.size())
        m_frames[index] = frame;
}

void Xani::clearFrames()
{
    m_frames.clear();
}

void Xani::start()
{
    m_timer.setInterval(1000);
    m_timer.start();
}

void Xani::stop()
{
    m_timer.stop();
}

void Xani::nextFrame()
{
    if (m_frames.isEmpty()) {
        m_timer.stop();
        return;
    }
    if (m_index >= m_frames.size())
        m_index = 0;
    // A receiver of frameChanged() may delete the animation: the index moves on first.
    const int shown = m_index++;
    setCurrentIndex(shown);
}

void Xani::setCurrentIndex(int index)
{
    static_cast<QImage &>(*this) = frame(index).image();
    emit frameChanged();
}

bool Xani::save(const QString &path, int quality, QString *error) const
{
    QByteArray file = QByteArrayLiteral("XANI") + QByteArray(sizeFieldLength, ' ') + QByteArrayLiteral("BIND")
        + QByteArray(sizeFieldLength, ' ');
    QString content;
    qint64 imagesSize = 0;
    for (int i = 0; i < m_frames.size(); ++i) {
        const XaniFrame &frame = m_frames.at(i);
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        // A frame that cannot be encoded in its format contributes no bytes.
        frame.image().save(&buffer, frame.format().toLocal8Bit().constData(), quality);
        buffer.close();
        file += encoded;
        // Past what the reader takes, the file is refused below: the frames after it need not be encoded.
        if (file.size() > MTools::AnimationFileBound)
            return MTools::writeReadableFileSafely(path, file, MTools::AnimationFileBound, error);
        content += QStringLiteral("<Image index=\"%1\" name=\"%2\" format=\"%3\" duration=\"%4\" background=\"%5\">\n"
                                  "  <data start=\"%6\" size=\"%7\">\n"
                                  "</Image>\n")
                       .arg(QString::number(i), escaped(frame.name()), escaped(frame.format()), QString::number(frame.duration()),
                            frame.background() ? QStringLiteral("true") : QStringLiteral("false"),
                            QString::number(headLength + imagesSize), QString::number(encoded.size()));
        imagesSize += encoded.size();
    }
    const QString description = QStringLiteral("<Xani loop = \"%1\" frameduration=\"%2\" framecount=\"%3\">\n")
                                    .arg(m_loop)
                                    .arg(m_frameDuration)
                                    .arg(m_frames.size())
        + content + QStringLiteral("</Xani>");
    file += QByteArrayLiteral("XMLD") + sizeField(description.size()) + description.toLatin1();
    const qint64 total = headLength + 20 + imagesSize + description.size();
    file.replace(4, sizeFieldLength, sizeField(total));
    file.replace(24, sizeFieldLength, sizeField(imagesSize));

    return MTools::writeReadableFileSafely(path, file, MTools::AnimationFileBound, error);
}

QString Xani::readDescription(const QString &path, QString *error)
{
    m_path = path;
    // Only the size fields and the description are read: the frames before it may be most of the file.
    MTools::BoundedFile file;
    if (!file.open(path, MTools::AnimationFileBound, error))
        return QString();
    // The sizes are checked against the file before anything is taken from them.
    const qint64 fileSize = file.size();
    const qint64 fixedPart = headLength + 20;
    if (fileSize < fixedPart)
        return QString();
    qint64 imagesSize = 0;
    QString imagesText;
    if (!parseSizeField(file.read(24, sizeFieldLength), &imagesSize, &imagesText) || imagesSize > fileSize - fixedPart)
        return QString();
    qint64 descriptionSize = 0;
    QString descriptionText;
    if (!parseSizeField(file.read(44 + imagesSize, sizeFieldLength), &descriptionSize, &descriptionText)
        || descriptionSize > fileSize - fixedPart - imagesSize)
        return QString();
    const QByteArray bytes = file.read(fixedPart + imagesSize, descriptionSize);
    if (bytes.size() != descriptionSize)
        return QString();
    qDebug().noquote() << QStringLiteral("XXXX:") + descriptionText;
    qDebug().noquote() << QStringLiteral("XXXX:") + QString::number(descriptionSize);
    const QString description = QString::fromLatin1(upToZero(bytes));
    // A description may run to hundreds of megabytes: the log gets its beginning.
    const QString logged = description.size() <= LoggedDescriptionLength
        ? description
        : description.left(LoggedDescriptionLength)
            + QStringLiteral("… (%1 more characters)").arg(description.size() - LoggedDescriptionLength);
    qDebug().noquote() << QStringLiteral("$$$$$$$$$$$$$$") + logged;
    return description;
}

} // namespace MGraphX

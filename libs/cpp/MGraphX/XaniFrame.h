#pragma once

#include <QImage>
#include <QString>

namespace MGraphX {

// One frame of a Xani animation: its image, name, encoding format and, once written to a file,
// the position and size of its encoded bytes.
class XaniFrame
{
public:
    QImage image() const { return m_image; }
    void setImage(const QImage &image) { m_image = image; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString format() const { return m_format; }
    void setFormat(const QString &format) { m_format = format; }
    int duration() const { return m_duration; }
    void setDuration(int duration) { m_duration = duration; }
    bool background() const { return m_background; }
    void setBackground(bool background) { m_background = background; }
    qint64 start() const { return m_start; }
    void setStart(const qint64 &start) { m_start = start; }
    qint64 size() const { return m_size; }
    void setSize(const qint64 &size) { m_size = size; }

    // The name up to its first ".", or the whole name.
    QString baseName() const;

private:
    QImage m_image;
    QString m_name;
    QString m_format = QStringLiteral("PNG");
    int m_duration = -1;
    bool m_background = false;
    qint64 m_start = -1;
    qint64 m_size = -1;
};

} // namespace MGraphX

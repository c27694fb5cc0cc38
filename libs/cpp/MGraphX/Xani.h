#pragma once

#include "MGraphX/XaniFrame.h"

#include <QImage>
#include <QObject>
#include <QTimer>
#include <QVector>

namespace MGraphX {

// A frame animation that is itself an image: every tick of its timer copies the next frame into
// the QImage part and emits frameChanged(). Stored in the Xani file format: a 40-byte head
// ("XANI", total size, "BIND", size of the images as space-padded hexadecimal text), the encoded
// frames back to back, then "XMLD", the description's length and the description.
class Xani : public QObject, public QImage
{
    Q_OBJECT

public:
    // The text is not used.
    explicit Xani(const QString &text = QString(), QObject *parent = nullptr);
    // Copies loop, frame duration and frames; the copy's timer is not connected, so it does not
    // advance on its own.
    Xani(const Xani &other);
    Xani &operator=(const Xani &other);
    ~Xani() override;

    int loop() const { return m_loop; }
    void setLoop(int loop) { m_loop = loop; }
    int frameDuration() const { return m_frameDuration; }
    void setFrameDuration(int duration) { m_frameDuration = duration; }
    int frameCount() const { return m_frames.size(); }
    // A copy of the frame, or an empty frame when the index is out of range.
    XaniFrame frame(int index) const;
    // Returns the new number of frames.
    int appendFrame(const XaniFrame &frame);
    void replaceFrame(int index, const XaniFrame &frame);
    void clearFrames();
    QString path() const { return m_path; }
    bool isRunning() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

    // Writes the file; false when it cannot be opened, written or committed, or would be larger than
    // MTools::AnimationFileBound, which readDescription refuses. A failure leaves an existing file as it was,
    // and error receives the reason, which is also logged.
    bool save(const QString &path, int quality, QString *error = nullptr) const;
    // Reads the size fields and the description of a file (not the frames), logs them, the description cut to
    // its first 10,000 characters, and returns the description; empty when the file cannot be read, is larger
    // than MTools::AnimationFileBound (error then receives the reason) or its sizes do not fit it.
    QString readDescription(const QString &path, QString *error = nullptr);

signals:
    void frameChanged();

public slots:
    // Ticks every 1000 ms, whatever the frame duration.
    void start();
    void stop();
    void nextFrame();
    void setCurrentIndex(int index);

private:
    QString m_path;
    QTimer m_timer;
    int m_index = 0;
    int m_loop = 1;
    int m_frameDuration = 1000;
    QVector<XaniFrame> m_frames;
};

} // namespace MGraphX

#pragma once

#include <QImage>
#include <QLabel>
#include <QVector>

namespace QMWidgets {

// An image area's picture at a scale, centred in the label. It keeps no scaled copy of the whole picture:
// each paint draws only the part that shows, from the smallest of a series of halved copies that is still at
// least as large as what it shows. A zoom step or a scroll then costs the pixels on screen, not the picture's;
// the halved copies are made once, with the picture, and together take a third of its memory.
class ZoomedPicture : public QLabel
{
    Q_OBJECT

public:
    explicit ZoomedPicture(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    // An empty size shows nothing.
    void setShownSize(const QSize &size);
    QSize shownSize() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The smallest copy whose sides are each at least those shown.
    const QImage &source() const;

    QImage m_picture;
    // Each half the size of the one before, the first half the picture's.
    QVector<QImage> m_halves;
    QSize m_shown;
};

} // namespace QMWidgets

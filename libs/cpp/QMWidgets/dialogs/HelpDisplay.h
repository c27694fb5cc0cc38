#pragma once

#include <QFrame>
#include <QImage>

namespace QMWidgets {

// Paints one slide: the image fitted into the frame, centred on black. A slide is a picture of the program's
// own (":/...") or a file read once through the bounded reader (at most MTools::NamedResourceBound) and the
// picture bounds; one that cannot be read shows black.
class HelpDisplay : public QFrame
{
    Q_OBJECT

public:
    explicit HelpDisplay(QWidget *parent);

    void setImage(const QString &path);
    QString image() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_imagePath;
    QImage m_image;
};

} // namespace QMWidgets

#pragma once

#include <QFrame>

namespace QMWidgets {

// Paints one slide: the image fitted into the frame, centred on black.
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
};

} // namespace QMWidgets

#pragma once

#include <QLabel>
#include <QPixmap>

namespace QMWidgets {

// A QLabel that paints a picture over its own content, fitted and centred or filling the widget from its
// top-left corner, at the screen's pixel ratio.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent = nullptr);

    void setImage(const QPixmap &image);
    void setExpanding(int expanding);
    void setOpacity(double opacity);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_image;
    int m_expanding = 0;
    double m_opacity = 1.0;
};

} // namespace QMWidgets

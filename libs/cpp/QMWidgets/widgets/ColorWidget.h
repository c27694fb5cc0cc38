#pragma once

#include <QColor>
#include <QWidget>

namespace QMWidgets {

class ColorWidgetPopup;

// A colour swatch; a press opens its palette just below it, and a pick there sets and reports the colour.
class ColorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ColorWidget(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const;
    void setPopupOpacity(float opacity);

signals:
    void colorChanged(const QColor &color);

public slots:
    void slotColorChanged(const QColor &color);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ColorWidgetPopup *m_popup;
    QColor m_color;
};

} // namespace QMWidgets

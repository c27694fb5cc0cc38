#pragma once

#include <QGraphicsEffect>

namespace QMWidgets {

// Greys and fades what a widget and its children paint while the widget is disabled: the kit's buttons draw their
// pictures from style-sheet images and their own painters, which have no disabled state of their own.
class DisabledLook : public QGraphicsEffect
{
    Q_OBJECT

public:
    // Becomes the widget's graphics effect, owned by it.
    explicit DisabledLook(QWidget *widget);

protected:
    void draw(QPainter *painter) override;
};

} // namespace QMWidgets

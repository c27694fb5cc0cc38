#pragma once

#include <QLabel>

namespace QMWidgets {

// The overlay that covers the registered main widget while the application blends it out.
class BlenderWidget : public QLabel
{
    Q_OBJECT

public:
    explicit BlenderWidget(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace QMWidgets

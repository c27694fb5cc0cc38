#pragma once

#include "QMWidgets/desktop/ScreenCropper.h"

namespace QMWidgets {

// An on-screen ruler: shows a picture of the desktop and writes the width and height of the dragged
// rectangle into it. Crops and saves nothing; the owner shows the window after grabScreen().
class ScreenMeasurer : public ScreenCropper
{
    Q_OBJECT

public:
    explicit ScreenMeasurer(QWidget *parent = nullptr);

    void saveLocation() override;
    // The label drawn into the current selection, "width x height" in pixels.
    QString sizeText() const;

signals:
    void done();
    void doQuit();

public slots:
    void slotClose() override;
    void grabScreen() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Both sides count the pixels from one corner to the other inclusive, whatever the drag direction.
    QSize selectionSize() const;
};

} // namespace QMWidgets

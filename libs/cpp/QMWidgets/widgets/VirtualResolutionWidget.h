#pragma once

#include <QSize>
#include <QWidget>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;

namespace QMWidgets {

// Lays one widget out at a fixed "virtual" size inside a graphics scene and stretches the view of it
// over its own area, width and height scaled independently.
class VirtualResolutionWidget : public QWidget
{
    Q_OBJECT

public:
    explicit VirtualResolutionWidget(QWidget *parent = nullptr);

    // Embeds the widget; the scene owns it from then on. Called once, right after construction.
    void setWidget(QWidget *widget);

    // The process-wide view, made without parent on the first call and kept until the process ends.
    static VirtualResolutionWidget *instance();

public slots:
    void slotSetWidth(int width);
    void slotSetHeight(int height);
    void slotSetSize(QPoint size);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // A label, when given, starts a debug line with the new size.
    void applyVirtualSize(const char *debugLabel);
    void fitView();

    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    QGraphicsProxyWidget *m_proxy = nullptr;
    QSize m_virtualSize{-1, -1};
};

} // namespace QMWidgets

#pragma once

#include "QMWidgets/widgets/VirtualResolutionDialog.h"

#include <QRect>
#include <QWidget>

class QVBoxLayout;

namespace QMWidgets {

class VirtualResolutionWidget;

// Hosts contents that show either as an ordinary window or, in virtual-resolution mode, laid out at a
// chosen screen size inside the virtual-resolution view, scaled to fit; either way full screen or not.
class HybridWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HybridWidget(QWidget *parent = nullptr);
    ~HybridWidget() override;

    void addWidget(QWidget *widget);
    void setWindowTitle(const QString &title);
    bool isVirtualResolutionMode() const;
    // x the width, y the height.
    void setVirtualSize(const QPoint &size);

public slots:
    void slotSetVirtualResolutionMode(bool on);
    void slotShowFullScreenMode(bool on);
    void slotSetSize(QPoint size);
    void slotSetMode(QMWidgets::VirtualResolutionDialog::Mode mode);
    void slotSetSettings();
    void slotShowSettingsDialog();

private:
    // Made without parent and handed to the view, whose scene owns it; in virtual mode the host is its child.
    QWidget *m_container = nullptr;
    VirtualResolutionWidget *m_view = nullptr;
    QVBoxLayout *m_layout = nullptr;
    bool m_virtualMode = false;
    bool m_fullScreen = false;
    VirtualResolutionDialog *m_dialog = nullptr;
    QRect m_normalGeometry;
};

} // namespace QMWidgets

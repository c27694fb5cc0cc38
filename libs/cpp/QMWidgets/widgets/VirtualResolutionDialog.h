#pragma once

#include <QDialog>
#include <QPoint>

class QComboBox;

namespace QMWidgets {

class ResolutionSetupWidget;

// Lets the user choose between the normal and the virtual-resolution mode and the virtual resolution,
// from presets or typed. Only Apply reports the choice; Ok and Cancel just close the dialog.
class VirtualResolutionDialog : public QDialog
{
    Q_OBJECT

public:
    // The mode box's indexes.
    enum Mode { VirtualResolutionMode = 0, NormalMode = 1 };
    Q_ENUM(Mode)

    explicit VirtualResolutionDialog(QWidget *parent = nullptr);

    Mode mode() const;
    QPoint virtualResolution() const;

signals:
    void virtualResolutionChanged(QPoint resolution);
    void changeVirtualResolution(QPoint resolution);
    void changeSettings();

public slots:
    void slotApply();
    void slotModeChanged(int index);

private:
    QComboBox *m_modeBox = nullptr;
    ResolutionSetupWidget *m_virtualResolutionGroup = nullptr;
    ResolutionSetupWidget *m_windowSizeGroup = nullptr;
};

} // namespace QMWidgets

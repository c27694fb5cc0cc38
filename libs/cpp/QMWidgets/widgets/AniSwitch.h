#pragma once

#include <QWidget>

#include <memory>

class QPushButton;
class QStateMachine;

namespace QMWidgets {

class CheckButton;

// An on/off switch whose handle slides across a track in 400 ms, with an optional check button at its
// left that shows and changes the same state. Nothing is built until setupSwitch, which takes the
// widget's size at that moment.
class AniSwitch : public QWidget
{
    Q_OBJECT

public:
    explicit AniSwitch(QWidget *parent = nullptr);
    ~AniSwitch() override;

    // Builds the switch once; later calls do nothing. Call it once the widget has its final size.
    void setupSwitch(bool withIcon, bool on);
    // False until the switch is built.
    bool isOn() const;

signals:
    void toggled(bool on);

public slots:
    // These change nothing until the switch is built.
    void slotSetOn();
    void slotSetOff();
    void setOn(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followHandle();

    CheckButton *m_icon = nullptr;
    // Parentless, as its states refer to the children; freed before them.
    std::unique_ptr<QStateMachine> m_machine;
    QPushButton *m_handle = nullptr;
    QWidget *m_track = nullptr;
    QWidget *m_fill = nullptr;
    bool m_built = false;
};

} // namespace QMWidgets

#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace Platform {

// Stands in for the ActiveX container widget: hosts a control chosen by its class id as a child that fills
// the widget, calls its methods by signature and lets a subclass decide which keys the control keeps.
// The controls are Qt widgets of this library (see WebBrowserControl).
class AxWidget : public QWidget
{
    Q_OBJECT

public:
    explicit AxWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~AxWidget() override;

    // Class ids are accepted with or without braces, in any case. False (and no control) for an unknown id.
    bool setControl(const QString &classId);
    QString control() const;
    QWidget *controlWidget() const;

    // Calls the control's method of that signature with one argument; an invalid result when there is no
    // such method or the argument does not convert to its parameter.
    QVariant dynamicCall(const char *signature, const QVariant &arg);

    // Windows message numbers of the keyboard messages, key down (0x100) to WM_UNICHAR (0x109).
    static constexpr int keyDownMessage = 0x100;
    static constexpr int keyUpMessage = 0x101;
    static constexpr int systemKeyDownMessage = 0x104;
    static constexpr int systemKeyUpMessage = 0x105;
    static bool isKeyboardMessage(int message) { return message >= 0x100 && message <= 0x109; }
    // The Windows virtual-key code of a Qt key (0 for keys without one here).
    static int virtualKey(int qtKey);

protected:
    // Whether a key message goes to the control rather than to the application's shortcuts.
    // By default: every system key (with Alt) and Tab and Delete; never a message that is not a key.
    virtual bool translateKeyEvent(int message, int keycode) const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchKeys(QObject *object);

    QString m_classId;
    QPointer<QWidget> m_control;
};

} // namespace Platform

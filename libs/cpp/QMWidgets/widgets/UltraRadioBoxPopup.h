#pragma once

#include <QWidget>

namespace QMWidgets {

// The frameless list of the other choices of an UltraRadioBox; it closes when another window is activated.
class UltraRadioBoxPopup : public QWidget
{
    Q_OBJECT

public:
    explicit UltraRadioBoxPopup(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    bool isMouseOver() const;

protected:
    bool event(QEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_mouseOver = false;
};

} // namespace QMWidgets

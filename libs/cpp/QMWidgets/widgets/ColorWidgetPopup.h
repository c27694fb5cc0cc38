#pragma once

#include <QColor>
#include <QWidget>

namespace QMWidgets {

// The palette of 48 fixed colours that a ColorWidget opens below itself.
class ColorWidgetPopup : public QWidget
{
    Q_OBJECT

public:
    explicit ColorWidgetPopup(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    bool isMouseOver() const;

signals:
    void colorChanged(const QColor &color);

public slots:
    void slotColorChanged();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_mouseOver = false;
};

} // namespace QMWidgets

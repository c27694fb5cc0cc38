#pragma once

#include <QMap>
#include <QPixmap>
#include <QWidget>

class QAbstractButton;
class QPushButton;
class QVBoxLayout;

namespace QMWidgets {

class UltraRadioBoxPopup;

// Shows only the current choice; a press opens a popup listing the other choices with their captions.
class UltraRadioBox : public QWidget
{
    Q_OBJECT

public:
    explicit UltraRadioBox(QWidget *parent = nullptr);

    void addButton(QAbstractButton *button, const QString &caption);
    void setCurrentButton(QAbstractButton *button);
    QAbstractButton *currentButton() const;
    void setButtonVisible(QAbstractButton *button, bool visible);
    void hidePopup();
    void setPopupOpacity(const float &opacity);

signals:
    void buttonClicked();
    void actionPerformed();

public slots:
    void slotButtonClicked();
    void slotFocusChanged(QWidget *old, QWidget *now);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static QPixmap render(QAbstractButton *button);

    QVBoxLayout *m_popupLayout;
    UltraRadioBoxPopup *m_popup;
    QPixmap m_shown;
    QMap<QAbstractButton *, QPushButton *> m_captions;
    QAbstractButton *m_current = nullptr;
    QPixmap m_normal;
    QPixmap m_hover;
    QList<QAbstractButton *> m_hidden; // choices the caller hid; a new current choice does not re-show them
};

} // namespace QMWidgets

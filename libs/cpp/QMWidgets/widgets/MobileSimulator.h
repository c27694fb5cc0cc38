#pragma once

#include <QFrame>

class QHBoxLayout;

namespace QMWidgets {

// A named frame with a small margin around an embedded widget.
class MobileSimulator : public QFrame
{
    Q_OBJECT

public:
    explicit MobileSimulator(QWidget *parent = nullptr);

    void setWidget(QWidget *widget);

private:
    QHBoxLayout *m_layout;
    QWidget *m_widget = nullptr;
};

} // namespace QMWidgets

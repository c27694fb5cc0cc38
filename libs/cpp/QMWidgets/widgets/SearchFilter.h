#pragma once

#include <QLineEdit>

class QPushButton;

namespace QMWidgets {

// A line edit for filter text: while empty it paints a magnifier at its right end and, without the focus,
// a "Search:" hint at its left; while it holds text a small clear button sits at its right end. Escape
// clears it too.
class SearchFilter : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchFilter(QWidget *parent = nullptr);

public slots:
    void slotTextChanged(const QString &text);
    void slotClearClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *m_clearButton = nullptr;
};

} // namespace QMWidgets

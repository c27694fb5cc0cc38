#pragma once

#include <QObject>

class QComboBox;

namespace QMWidgets {

// Installed on a combo box, paints it flat in its palette's colours in place of the style's look.
class ComboBoxFilter : public QObject
{
    Q_OBJECT

public:
    explicit ComboBoxFilter(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_combo = nullptr;
};

} // namespace QMWidgets

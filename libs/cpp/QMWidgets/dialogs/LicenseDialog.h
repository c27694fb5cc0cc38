#pragma once

#include "QMWidgets/widgets/TopWidget.h"

class QTextEdit;

namespace QMWidgets {

// The end-user agreement: whoever shows it fills in the text; Agree records the acceptance for good.
// exec() returns 1 after Agree, 0 after Disagree, Escape or a close.
class LicenseDialog : public TopWidget
{
    Q_OBJECT

public:
    explicit LicenseDialog(QWidget *parent = nullptr);

    QTextEdit *textEdit() const;
    static bool isAccepted();

public slots:
    void slotAccept();
    void slotDisagree();

private:
    QTextEdit *m_text = nullptr;
};

} // namespace QMWidgets

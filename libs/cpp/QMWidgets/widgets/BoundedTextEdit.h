#pragma once

#include <QTextEdit>

namespace QMWidgets {

// A text edit for text from outside (a caller, a file, a server, the clipboard): every resource its rich text
// names is loaded within the bounds of MGraphX::loadTextResource, never by Qt's own blocking loader.
class BoundedTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    using QTextEdit::QTextEdit;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};

} // namespace QMWidgets

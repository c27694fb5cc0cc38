#pragma once

#include <QTextBrowser>

namespace QMWidgets {

// A text browser for text from outside (a caller, a file, a server): every resource its rich text names, and
// every page it opens, is loaded within the bounds of MGraphX::loadTextResource, never by Qt's own blocking
// loader.
class BoundedTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};

} // namespace QMWidgets

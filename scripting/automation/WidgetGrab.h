#pragma once

#include <QPixmap>

class QWidget;

namespace QMMistlark {

// The pictures of widgets that scripts take. The caller has judged the grab bound (grabRefusal).
class WidgetGrab
{
public:
    static QPixmap picture(QWidget *widget);
    // Always PNG data, whatever the file name's extension; not reported, but a failed write costs no
    // earlier file.
    static void save(const QPixmap &picture, const QString &fileName);
};

} // namespace QMMistlark

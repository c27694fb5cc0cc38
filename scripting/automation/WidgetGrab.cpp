#include "scripting/automation/WidgetGrab.h"

#include "MGraphX/ImageWriting.h"

#include <QGLWidget>
#include <QWidget>

namespace QMMistlark {

QPixmap WidgetGrab::picture(QWidget *widget)
{
    // Rendering a GL widget does not reach its frame buffer: read it from there. Without a valid context
    // (offscreen, or an X server without GLX) there is no frame buffer, and the widget is grabbed as any other.
    auto *glWidget = qobject_cast<QGLWidget *>(widget);
    if (glWidget && glWidget->isValid())
        return QPixmap::fromImage(glWidget->grabFrameBuffer(false));
    return widget->grab();
}

void WidgetGrab::save(const QPixmap &picture, const QString &fileName)
{
    MGraphX::writeImageSafely(fileName, picture.toImage(), "PNG");
}

} // namespace QMMistlark

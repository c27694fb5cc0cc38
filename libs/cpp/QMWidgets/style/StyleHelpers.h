#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

class QDialog;
class QPaintDevice;
class QPushButton;
class QWidget;

namespace QMWidgets {

// The common look of the framework's dialogs: object names the application style sheet selects on,
// flat buttons of fixed heights and window opacity from the settings.

// An empty tool tip leaves the one set earlier in place.
void setNameAndToolTip(QWidget *widget, const QString &name, const QString &toolTip);
// Named "PushButton" for the style sheet, flat, at least 32 pixels high.
void setupPushButton(QPushButton *button);
// Flat, 32 by 32 pixels; the object name stays.
void setupFixedButton(QPushButton *button);

// A font of the family sized in pixels, from the box's height down until a line of the text fits the box on the
// device: a text sized in points from a widget's pixels outgrows the widget at other screen resolutions.
QFont fontFittingBox(const QString &family, const QString &text, const QSize &box, const QPaintDevice *device);

// Opacity 1.3 - p/100 with p the percent stored under "TransparencyParameters/ChartDialogs" (default 35).
void applyDialogOpacity(QWidget *widget);
// The same with "TransparencyParameters/ContextMenus", for the widget and every menu among its descendants.
void applyMenuOpacity(QWidget *widget);

// The whole default screen, grabbed anew at each call.
QPixmap grabDesktop();

// A button of the share and follow frames: named for its picture in the style sheet, flat,
// 190 by 35 pixels, checkable, without text or parent.
QPushButton *newSocialButton(const QString &name);


} // namespace QMWidgets

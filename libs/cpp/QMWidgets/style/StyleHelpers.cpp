#include "QMWidgets/style/StyleHelpers.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/Os.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace QMWidgets {

namespace {

const int ButtonSide = 32;
const int DefaultTransparencyPercent = 35;

// The constant is single precision, so the default of 35 gives 0.9499999..., not 0.95.
qreal opacityFromSetting(const QString &key)
{
    const int percent = App::instance()->value(key, DefaultTransparencyPercent).toInt();
    return 1.3f - percent / 100.0;
}

} // namespace

void setNameAndToolTip(QWidget *widget, const QString &name, const QString &toolTip)
{
    widget->setObjectName(name);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
}

void setupPushButton(QPushButton *button)
{
    button->setObjectName(QStringLiteral("PushButton"));
    button->setFlat(true);
    button->setMinimumHeight(ButtonSide);
}

void setupFixedButton(QPushButton *button)
{
    button->setFlat(true);
    button->setFixedSize(ButtonSide, ButtonSide);
}

QFont fontFittingBox(const QString &family, const QString &text, const QSize &box, const QPaintDevice *device)
{
    QFont font(family);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    int pixels = qMax(1, box.height());
    for (;;) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font, device);
        const int width = metrics.horizontalAdvance(text);
        const int height = metrics.height();
        if (pixels == 1 || (width <= box.width() && height <= box.height()))
            return font;
        // Glyphs grow about in proportion to the pixel size: one step lands close, the loop ends the rest.
        const qreal shrink = qMin(qreal(box.height()) / height, width ? qreal(box.width()) / width : 1.0);
        pixels = qBound(1, int(pixels * shrink), pixels - 1);
    }
}

// The toolkit limits the opacity to the range from 0 to 1.
void applyDialogOpacity(QWidget *widget)
{
    widget->setWindowOpacity(opacityFromSetting(QStringLiteral("TransparencyParameters/ChartDialogs")));
}

void applyMenuOpacity(QWidget *widget)
{
    const qreal opacity = opacityFromSetting(QStringLiteral("TransparencyParameters/ContextMenus"));
    widget->setWindowOpacity(opacity);
    const QList<QMenu *> menus = widget->findChildren<QMenu *>();
    for (QMenu *menu : menus)
        menu->setWindowOpacity(opacity);
}

QPixmap grabDesktop()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPixmap();
    const QRect geometry = screen->geometry();
    const int width = static_cast<int>(geometry.width() * screenScaleFactor());
    const int height = static_cast<int>(geometry.height() * screenScaleFactor());
    // Window id 0 stands for the whole desktop.
    return screen->grabWindow(0, geometry.left(), geometry.top(), width, height);
}

QPushButton *newSocialButton(const QString &name)
{
    auto *button = new QPushButton;
    button->setFlat(true);
    button->setFixedSize(190, 35);
    button->setObjectName(name);
    button->setCheckable(true);
    return button;
}

} // namespace QMWidgets

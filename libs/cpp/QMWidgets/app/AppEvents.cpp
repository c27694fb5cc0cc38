#include "QMWidgets/app/App.h"

#include "QMWidgets/app/BlenderWidget.h"

#include "MTools/FileWriting.h"

#include <cstdlib>
#include <QDateTime>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QFileOpenEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTextStream>

namespace QMWidgets {

namespace {

void silentMessageHandler(QtMsgType, const QMessageLogContext &, const QString &)
{
}

const char *logLevelText(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return " Debug: ";
    case QtWarningMsg:
        return " Warning: ";
    case QtCriticalMsg:
        return " Critical: ";
    case QtFatalMsg:
        return " Fatal: ";
    default:
        return nullptr;
    }
}

void logFileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    App *app = App::instance();
    if (!app) {
        if (type == QtFatalMsg)
            std::abort();
        return;
    }
    // Inside the support folder: the folder's path carries no trailing slash to append the name to.
    // One line in one append, which never cuts what the log already holds. An info message writes nothing,
    // though the file is created all the same.
    QString line;
    if (const char *level = logLevelText(type)) {
        line = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yy-hh:mm")) + QLatin1String(level)
               + message + QStringLiteral(", ") + QString::fromUtf8(context.file) + QLatin1Char('\n');
    }
    const QString path = QDir(app->supportDirectory(true)).filePath(QStringLiteral("protocol.log"));
    MTools::appendToFile(path, line.toLocal8Bit());
    if (type == QtFatalMsg)
        std::abort();
}

QRect desktopRect()
{
    return QApplication::desktop()->geometry();
}

} // namespace

bool App::isInactive() const
{
    return m_inactive;
}

bool App::isSmallScreen(const QRect &desktop)
{
    return desktop.right() - desktop.left() < 479 || desktop.bottom() - desktop.top() < 479;
}

bool App::isSmallScreen()
{
    return isSmallScreen(desktopRect());
}

int App::shorterScreenSide()
{
    const QRect desktop = desktopRect();
    return desktop.width() < desktop.height() ? desktop.width() : desktop.height();
}

int App::longerScreenSide()
{
    const QRect desktop = desktopRect();
    return desktop.height() < desktop.width() ? desktop.width() : desktop.height();
}

bool App::isLandscape()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->isLandscape(screen->primaryOrientation());
}

bool App::isPortrait()
{
    return !isLandscape();
}

qreal App::primaryScreenPixelRatio()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

void App::installDefaultMessageHandler()
{
    qInstallMessageHandler(nullptr);
}

void App::installSilentMessageHandler()
{
    qInstallMessageHandler(silentMessageHandler);
}

void App::installLogFileMessageHandler()
{
    qInstallMessageHandler(logFileMessageHandler);
}

bool App::event(QEvent *e)
{
    if (e->type() == QEvent::FileOpen) {
        emit fileOpenRequest(static_cast<QFileOpenEvent *>(e)->file());
        return true;
    }
    return QApplication::event(e);
}

bool App::notify(QObject *receiver, QEvent *e)
{
    // False once a receiver deleted the application object on the signal: nothing is delivered through it then.
    const auto announce = [this](void (App::*signal)()) {
        const QPointer<App> alive(this);
        emit(this->*signal)();
        return !alive.isNull();
    };
    bool alive = true;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        alive = announce(&App::mouseButtonPress);
        break;
    case QEvent::ApplicationActivate:
        m_inactive = false;
        alive = announce(&App::applicationActivated);
        break;
    case QEvent::ApplicationDeactivate:
        m_inactive = true;
        alive = announce(&App::applicationDeactivated);
        break;
    case QEvent::Expose:
        alive = announce(&App::applicationExposed);
        break;
    default:
        break;
    }
    return alive ? QApplication::notify(receiver, e) : true;
}

void App::setMainWidget(QWidget *widget)
{
    m_mainWidget = widget;
    auto *blender = new BlenderWidget(nullptr);
    blender->setObjectName(QStringLiteral("MainWidgetBlender"));
    blender->setParent(widget);
    blender->setAutoFillBackground(true);
    blender->hide();
    m_blender = blender;
}

QWidget *App::mainWidget() const
{
    return m_mainWidget.data();
}

void App::postMousePress(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, QPointF(x, y), button, buttons,
                                                        Qt::NoModifier));
}

void App::postMouseRelease(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(x, y), button, buttons,
                                                        Qt::NoModifier));
}

QPoint App::clickPoint(const QWidget *widget, int x, int y)
{
    return QPoint(x < 0 ? widget->width() / 2 : x, y < 0 ? widget->height() / 2 : y);
}

void App::postMouseClick(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    const QPoint point = clickPoint(target, x, y);
    postMousePress(target, point.x(), point.y(), button, buttons);
    postMouseRelease(target, point.x(), point.y(), button, buttons);
}

QWidget *App::findWidgetByClassName(const QString &className)
{
    QWidget *candidate = nullptr;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (QLatin1String(topLevel->metaObject()->className()) == className)
            return topLevel;
        // A match under a later top-level widget replaces one found earlier.
        const QList<QWidget *> children = topLevel->findChildren<QWidget *>();
        for (QWidget *child : children) {
            if (QLatin1String(child->metaObject()->className()) == className) {
                candidate = child;
                break;
            }
        }
    }
    return candidate;
}

bool App::isChildOf(const QObject *widget, const QObject *parent)
{
    if (!widget || !parent)
        return false;
    return parent->findChildren<QObject *>().contains(const_cast<QObject *>(widget));
}

void App::slotSetBlendMainWidget(bool on)
{
    if (!m_mainWidget || !m_blender)
        return;
    if (!on) {
        m_blender->hide();
        return;
    }
    m_blender->setFixedSize(m_mainWidget->width(), m_mainWidget->height());
    m_blender->show();
    m_blender->raise();
}

} // namespace QMWidgets

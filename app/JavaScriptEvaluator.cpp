#include "app/JavaScriptEvaluator.h"

#include "MUI/MUITabBar.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "QMWidgets/app/WindowFit.h"
#include "app/JSMainWindow.h"
#include "scripting/engine/RunDialogs.h"
#include "scripting/windows/RunControls.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace {

struct ToolBarEntry
{
    const char *caption;              // null: a vertical line
    const char *picture;
    void (JSMainWindow::*command)();  // null: New, which opens a window of this class
};

} // namespace

// Zoom In and Zoom Out, and Undo and Redo, show each other's picture on purpose: the bar has always looked so.
static const ToolBarEntry toolBarEntries[] = {
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "New"), ":/Icon_newfile.png", nullptr},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Open"), ":/Icon_open.png", &JSMainWindow::open},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Save"), ":/Icon_save.png", &JSMainWindow::save},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Save As"), ":/Icon_save.png", &JSMainWindow::saveAs},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Zoom In"), ":/Icon_zoom_out.png", &JSMainWindow::zoomIn},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Zoom Out"), ":/Icon_zoom_in.png", &JSMainWindow::zoomOut},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Find"), ":/Icon_find.png", &JSMainWindow::find},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Undo"), ":/Icon_redo.png", &JSMainWindow::undo},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Redo"), ":/Icon_undo.png", &JSMainWindow::redo},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Run"), ":/Icon_run.png", &JSMainWindow::run},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Stop"), ":/Icon_stop.png", &JSMainWindow::stop},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Debug"), ":/Icon_debug.png", &JSMainWindow::debug},
    {QT_TRANSLATE_NOOP("JavaScriptEvaluator", "Compress"), ":/Icon_compress.png", &JSMainWindow::showCompressedContent},
};

// The picture with its disabled form beside it ("Icon_open_disabled.png"); Qt adds the "@2x" files by itself.
static QIcon toolBarPicture(const char *name)
{
    const QString normal = QString::fromLatin1(name);
    QIcon picture(normal);
    picture.addFile(QString(normal).insert(normal.lastIndexOf(QLatin1Char('.')), QLatin1String("_disabled")), QSize(),
                    QIcon::Disabled);
    return picture;
}

JavaScriptEvaluator::JavaScriptEvaluator(QWidget *parent)
    : QMWidgets::PromoMainPage(parent, false)
    , m_scriptWindow(new JSMainWindow(nullptr))
    , m_toolBar(new MUITabBar(nullptr))
    , m_runControls(new QMMistlark::RunControls(this, [this] { m_scriptWindow->stop(); }))
{
    connect(m_scriptWindow, &JSMainWindow::changeWindowTitle, this, &JavaScriptEvaluator::slotChangeWindowTitle);
    connect(m_scriptWindow, &JSMainWindow::runningChanged, this, &JavaScriptEvaluator::showRunState);

    fillToolBar();
    adjustPromotionBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(menuBar());
    layout->addWidget(m_toolBar);
    layout->addWidget(m_scriptWindow);
    m_runControls->keep(m_scriptWindow);

    QMWidgets::App *app = QMWidgets::App::instance();
    resize(app->value(QStringLiteral("Width"), 463).toInt(), app->value(QStringLiteral("Height"), 515).toInt());
    QMWidgets::fitIntoScreen(this);
}

void JavaScriptEvaluator::fillToolBar()
{
    MUITabBarItem *menuItem = m_toolBar->addItem(QString(), toolBarPicture(":/Icon_menu.png"));
    menuItem->hide();
    menuItem->setMaximumWidth(24);
    // The item shows its menu as a pop-up; the parent only makes the item own it.
    auto *menu = new QMenu(menuItem);
    menu->addSeparator();
    menuItem->setMenu(menu);

    for (const ToolBarEntry &entry : toolBarEntries) {
        if (!entry.caption) {
            m_toolBar->addSeparator();
            continue;
        }
        MUITabBarItem *item = m_toolBar->addItem(tr(entry.caption), toolBarPicture(entry.picture));
        if (entry.command)
            connect(item, &MUITabBarItem::clicked, m_scriptWindow, entry.command);
        else
            connect(item, &MUITabBarItem::clicked, this, &JavaScriptEvaluator::slotCreateNewWindow);
        if (entry.command == &JSMainWindow::open || entry.command == &JSMainWindow::run
            || entry.command == &JSMainWindow::debug)
            m_startingItems << item;
        if (entry.command == &JSMainWindow::stop) {
            item->setToolTip(tr("Stop (%1)").arg(QMMistlark::RunDialogs::stopKeyText()));
            m_runControls->keep(item);
        }
    }
    m_toolBar->addStretch(1);
    m_toolBar->addSeparator();
}

void JavaScriptEvaluator::showRunState()
{
    const bool enable = !m_scriptWindow->isRunning();
    for (MUITabBarItem *item : qAsConst(m_startingItems))
        item->setEnabled(enable);
}

void JavaScriptEvaluator::adjustPromotionBar()
{
    QMWidgets::PromoMenuBar *bar = menuBar();
    bar->hideIntroButton();
    bar->setPromoCategory(QStringLiteral("developer"));
    bar->hideIntro();
    bar->hideSupportPageAction();

    auto *examples = new QPushButton(QStringLiteral("Examples"));
    bar->addWidget(examples);
    examples->setObjectName(QStringLiteral("PushButton"));
    auto *menu = new QMenu(examples);
    menu->addAction(QStringLiteral("fibonaci.js"), this, &JavaScriptEvaluator::slotFibonaci);
    menu->addAction(QStringLiteral("json.js"), this, &JavaScriptEvaluator::slotJson);
    menu->addAction(QStringLiteral("regex.js"), this, &JavaScriptEvaluator::slotRegex);
    menu->addAction(QStringLiteral("pi.js"), this, &JavaScriptEvaluator::slotPi);
    examples->setMenu(menu);
}

void JavaScriptEvaluator::setText(const QString &text)
{
    m_scriptWindow->setText(text);
}

void JavaScriptEvaluator::slotChangeWindowTitle(const QString &title)
{
    setWindowTitle(title);
}

void JavaScriptEvaluator::slotFibonaci()
{
    slotCreateNewWindow()->setText(QStringLiteral(
        "function fib(n)\n"
        "{\n"
        "    var fib1 = 1;\n"
        "    var fib2 = 1;\n"
        "    var sum = fib1;\n"
        "    var i       = 2;\n"
        "    while (i < n) {\n"
        "        sum = fib1 + fib2; // add the fibs\n"
        "        fib1 = fib2;\n"
        "        fib2 = sum;\n"
        "        i++;\n"
        "    }\n"
        "    return sum;\n"
        "}\n"
        "\n"
        "for (var i = 1; i < 10; ++i) {\n"
        "    printout(fib(i));\n"
        "}"));
}

void JavaScriptEvaluator::slotJson()
{
    slotCreateNewWindow()->setText(QStringLiteral(
        "var json = ({\n"
        "    \"name\": \"Nelda\",\n"
        "    \"phone\": \"+00 555010203\",\n"
        "    \"email\": \"nelda-at-home\",\n"
        "    \"Details\": {\n"
        "        \"age\": 47,\n"
        "        \"lover\": \"Bertil\",\n"
        "        \"male\": false,\n"
        "        \"hobbies\": [\"Singing\", \"Dancing\"],\n"
        "        \"car\": null\n"
        "    } \n"
        "});\n"
        "var jsonObj        = eval(json); \n"
        "var jsonDetailsObj = jsonObj.Details;\n"
        "printout(jsonObj.name + \" loves \" + jsonDetailsObj.lover);\n"
        "\n"
        "jsonObj.getAge = function()\n"
        "{\n"
        "    return jsonObj.Details.age;\n"
        "}\n"
        "\n"
        "printout(jsonObj.getAge());\n"));
}

void JavaScriptEvaluator::slotRegex()
{
    slotCreateNewWindow()->setText(QStringLiteral(
        "var regex  = /test/ig\n"
        "var str    = \"a Test b TEST c test d\";\n"
        "var result = str.match(regex);\n"
        "\n"
        "printout(result);"));
}

void JavaScriptEvaluator::slotPi()
{
    slotCreateNewWindow()->setText(QStringLiteral(
        "var n  = 0;\n"
        "var s1 = 0;\n"
        "var s2 = 0;\n"
        "do {\n"
        "    n++;\n"
        "    s1 = s2 + 4 / (2 * n - 1);\n"
        "    n++;\n"
        "    s2 = s1 - 4 / (2 * n - 1);\n"
        "} while(s1 - s2 >= 0.000001);\n"
        "\n"
        "printout((s1 + s2) / 2);\n"));
}

JavaScriptEvaluator *JavaScriptEvaluator::slotCreateNewWindow()
{
    auto *window = new JavaScriptEvaluator(nullptr);
    window->move(pos() + QPoint(25, 25));
    QMWidgets::fitIntoScreen(window);
    window->show();
    window->raise();
    return window;
}

void JavaScriptEvaluator::resizeEvent(QResizeEvent *event)
{
    // Each store writes the settings file at once: a size that is stored already is not written again,
    // so a window that opens at the stored size writes nothing.
    QMWidgets::App *app = QMWidgets::App::instance();
    const auto store = [app](const QString &key, int value) {
        const QVariant stored = app->value(key);
        if (!stored.isValid() || stored.toInt() != value)
            app->setValue(key, value);
    };
    store(QStringLiteral("Width"), event->size().width());
    store(QStringLiteral("Height"), event->size().height());
    QMWidgets::PromoMainPage::resizeEvent(event);
}

void JavaScriptEvaluator::showEvent(QShowEvent *event)
{
    if (QWindow *handle = windowHandle())
        handle->installEventFilter(this);
    QMWidgets::PromoMainPage::showEvent(event);
}

// Qt answers a second close of a widget that is still closing as accepted without asking it, and the window of
// the window system then takes it as leave to go: the window vanished while its question was up, and "No" could
// not bring it back. A close that comes while the question is up waits for its answer.
bool JavaScriptEvaluator::eventFilter(QObject *watched, QEvent *event)
{
    if (m_asking && event->type() == QEvent::Close && watched == windowHandle()) {
        event->ignore();
        return true;
    }
    return QMWidgets::PromoMainPage::eventFilter(watched, event);
}

void JavaScriptEvaluator::closeEvent(QCloseEvent *event)
{
    // The script goes first: it ends when this event has been handled, whatever the answer below, and calls
    // nothing more until it is run again. A callback of the script may be looping after the run has ended, so
    // the stop goes out whether a run is on or not.
    m_scriptWindow->stop();
    if (!m_scriptWindow->isModified()) {
        m_runControls->letClose();
        event->accept();
        return;
    }
    const QString question = tr("The text of the \"") + m_scriptWindow->titleText() + tr("\" file has been changed. ")
                             + tr("Do you want to quit without saving the changes?");
    // The box has no parent and outlives a window deleted meanwhile: that window is then left alone.
    const QPointer<JavaScriptEvaluator> alive(this);
    m_asking = true;
    const auto answer = QMWidgets::GuardedMessageBox::warning(nullptr, tr("Warning"), question,
                                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (!alive)
        return;
    m_asking = false;
    if (answer == QMessageBox::Yes) {
        m_runControls->letClose();
        event->accept();
        return;
    }
    // Kept: whatever hid the window while the question was up, it stays with its text.
    event->ignore();
    if (isHidden())
        show();
}

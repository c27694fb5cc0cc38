#include "QMWidgets/annotation/ImageNoteEditor.h"

#include "MGraphX/ImageFilters.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/annotation/NoteEditDragPreview.h"
#include "resources/Resources.h"
#include "ChildRun.h"
#include "ImageNoteWorkAreaFixture.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QDesktopWidget>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

using QMWidgets::ImageNoteEditor;
using QMWidgets::ImageNoteWorkArea;

namespace {

// Counts the quits in place of ending the test's application.
class Editor : public ImageNoteEditor
{
public:
    int quits = 0;

protected:
    void quitApplication() override { ++quits; }
};

QPixmap blackPicture(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(Qt::black);
    return picture;
}

ImageNoteWorkArea *workArea(QWidget *editor)
{
    return editor->findChild<ImageNoteWorkArea *>();
}

QPushButton *namedButton(QWidget *editor, const char *name)
{
    return editor->findChild<QPushButton *>(QLatin1String(name));
}

QMenu *toolMenu(QWidget *editor)
{
    for (QPushButton *button : editor->findChildren<QPushButton *>()) {
        if (button->text() == QLatin1String("DRA"))
            return button->menu();
    }
    return nullptr;
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A left-button drag as a user makes it, with the paint that follows each event.
void drag(ImageNoteWorkArea *area, const QPoint &from, const QPoint &to)
{
    sendMouse(area, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    area->repaint();
    sendMouse(area, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    area->repaint();
    sendMouse(area, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    area->repaint();
}

bool isDrawn(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y).red() > 60;
}

// The override cursor the surface sets for its tool while the pointer is over it.
QImage toolCursor(ImageNoteWorkArea *area, Qt::CursorShape *shape)
{
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(area, &enter);
    const QCursor *cursor = QGuiApplication::overrideCursor();
    *shape = cursor ? cursor->shape() : Qt::BlankCursor;
    // Compared premultiplied, as a pixmap holds it: taking the alpha out again rounds differently on other CPUs.
    const QImage image =
        cursor ? cursor->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(area, &leave);
    return image;
}

struct Box
{
    QString text;
    QStringList buttons;
};

// Answers the next message box with the button of the given text and notes what it asked; then runs next,
// which may wait for the dialog the answer opens.
void answerBox(QObject *context, const QString &answer, Box *seen, std::function<void()> next = {})
{
    answerNextModal(context, [answer, seen, next](QWidget *modal) {
        auto *box = qobject_cast<QMWidgets::MMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        for (QLabel *label : box->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                seen->text = label->text();
        }
        QPushButton *chosen = nullptr;
        for (QPushButton *button : box->findChildren<QPushButton *>()) {
            seen->buttons << button->text();
            if (button->text() == answer)
                chosen = button;
        }
        if (chosen)
            chosen->click();
        else
            box->reject();
        if (next)
            next();
    });
}

// Answers the next file dialog: saves to the path, or cancels when it is empty.
void answerSaveDialog(QObject *context, const QString &path, bool *asked)
{
    answerNextModal(context, [path, asked](QWidget *modal) {
        *asked = true;
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog || path.isEmpty()) {
            modal->close();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

const QString s_quitText = QStringLiteral("The changes of the curent image are not saved.\nQuit anyway?");
const QString s_newShotText = QStringLiteral("The changes of the curent image are not saved.\nAfter creation of the "
                                             "new screen shot these changes will be lost.\nContinue?");
const QString s_closeText = QStringLiteral("Do you want to save the current changes to the file?");

} // namespace

class tst_ImageNoteEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sideBarToolsReachTheSurface_data();
    void sideBarToolsReachTheSurface();
    void toolMenuReachesTheSurface();
    void thicknessMenuReachesTheSurface_data();
    void thicknessMenuReachesTheSurface();
    void dashReachesTheSurface();
    void undoAndRedoFollowTheSurface();
    void strokeReleasedOutsideTheViewIsKept_data();
    void strokeReleasedOutsideTheViewIsKept();
    void blurPreviewInAScrolledViewShowsWhatTheReleaseCommits();
    void confirmations_data();
    void confirmations();
    void savedWorkIsLeftWithoutAsking();
    void windowDeletedWhileItAsks_data();
    void windowDeletedWhileItAsks();
    void windowSizeFollowsThePicture_data();
    void windowSizeFollowsThePicture();
    void everyButtonShowsAPicture();

private:
    QTemporaryDir m_dir;
};

void tst_ImageNoteEditor::initTestCase()
{
    Resources::init();
    QVERIFY(m_dir.isValid());
}

void tst_ImageNoteEditor::sideBarToolsReachTheSurface_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("cursor");
    QTest::addColumn<bool>("tinted");
    QTest::newRow("Pen") << "ImageNoteEditorPen" << ":/Pen_cur.png" << true;
    QTest::newRow("Eraser") << "ImageNoteEditorEraser" << ":/Eraser_cur.png" << false;
    QTest::newRow("Highlighter") << "ImageNoteEditorHighlighter" << ":/Highlighter_cur.png" << true;
    QTest::newRow("Rectangle") << "ImageNoteEditorRectangle" << ":/Rect_cur.png" << true;
    QTest::newRow("Filled Rectangle") << "ImageNoteEditorFilledRectangle" << ":/FilledRect_cur.png" << true;
    QTest::newRow("Oval") << "ImageNoteEditorOval" << ":/Oval_cur.png" << true;
    QTest::newRow("Blur") << "ImageNoteEditorBlur" << ":/Blur_cur.png" << false;
    QTest::newRow("Filled Oval: arrow") << "ImageNoteEditorFilledOval" << QString() << false;
    QTest::newRow("Line") << "ImageNoteEditorLine" << ":/Line_cur.png" << true;
    QTest::newRow("Arrow") << "ImageNoteEditorArrow" << ":/Arrow_cur.png" << true;
    QTest::newRow("Text") << "ImageNoteEditorText" << ":/Text_cur.png" << true;
}

// Each tool shows its own cursor over the surface, so the cursor tells which tool the surface has.
void tst_ImageNoteEditor::sideBarToolsReachTheSurface()
{
    QFETCH(QString, button);
    QFETCH(QString, cursor);
    QFETCH(bool, tinted);

    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    QPushButton *toolButton = editor.findChild<QPushButton *>(button);
    QVERIFY(toolButton);
    // Start from another tool, so a button that reaches nothing shows the other tool's cursor.
    namedButton(&editor, button == QLatin1String("ImageNoteEditorText") ? "ImageNoteEditorLine"
                                                                          : "ImageNoteEditorText")->click();
    toolButton->click();
    QVERIFY(toolButton->isChecked());

    Qt::CursorShape shape;
    const QImage shown = toolCursor(workArea(&editor), &shape);
    if (cursor.isEmpty()) {
        QCOMPARE(shape, Qt::ArrowCursor);
        return;
    }
    QImage expected(cursor);
    if (tinted)
        expected = MGraphX::recolorImage(expected, QColor(0, 0, 255), QColor(Qt::yellow));
    QCOMPARE(shown, expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    // The tool menu is a separate choice: the side bar leaves its checked entry alone.
    QCOMPARE(toolMenu(&editor)->actions().first()->text(), QStringLiteral("Pen"));
    QVERIFY(toolMenu(&editor)->actions().first()->isChecked());
}

void tst_ImageNoteEditor::toolMenuReachesTheSurface()
{
    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    QMenu *menu = toolMenu(&editor);
    QVERIFY(menu);
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    QCOMPARE(texts, QStringList({"Pen", "Eraser", "Highlighter", "Line", "Rectangle", "Filled Rectangle", "Blur",
                                 "Oval", "Filled Oval", "Text", "Arrow"}));

    menuAction(menu, QStringLiteral("Blur"))->trigger();
    Qt::CursorShape shape;
    QCOMPARE(toolCursor(workArea(&editor), &shape),
             QImage(QStringLiteral(":/Blur_cur.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QVERIFY(menuAction(menu, QStringLiteral("Blur"))->isChecked());
    QVERIFY(!menuAction(menu, QStringLiteral("Pen"))->isChecked());
    // The side bar keeps its own choice.
    QVERIFY(namedButton(&editor, "ImageNoteEditorPen")->isChecked());
}

void tst_ImageNoteEditor::thicknessMenuReachesTheSurface_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    // An antialiased line on a pixel boundary covers half a row on each side.
    QTest::newRow("1px") << "1px" << 1 << 2;
    QTest::newRow("5px") << "5px" << 5 << 6;
    QTest::newRow("15px") << "15px" << 15 << 16;
}

void tst_ImageNoteEditor::thicknessMenuReachesTheSurface()
{
    QFETCH(QString, entry);
    QFETCH(int, least);
    QFETCH(int, most);

    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QPushButton *thickness = namedButton(&editor, "ImageNoteEditorThikness");
    QVERIFY(thickness && thickness->menu());
    QStringList texts;
    for (QAction *action : thickness->menu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, QStringList({"1px", "2px", "3px", "4px", "5px", "10px", "15px", "-", "Dash"}));
    QVERIFY(menuAction(thickness->menu(), QStringLiteral("1px"))->isChecked());

    namedButton(&editor, "ImageNoteEditorLine")->click();
    menuAction(thickness->menu(), entry)->trigger();
    ImageNoteWorkArea *area = workArea(&editor);
    drag(area, QPoint(10, 45), QPoint(110, 45));

    const QImage image = area->composedPixmap().toImage();
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        rows += isDrawn(image, 60, y);
    QVERIFY2(rows >= least && rows <= most, qPrintable(QString::number(rows)));
}

void tst_ImageNoteEditor::dashReachesTheSurface()
{
    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    namedButton(&editor, "ImageNoteEditorLine")->click();
    QAction *dash = menuAction(namedButton(&editor, "ImageNoteEditorThikness")->menu(), QStringLiteral("Dash"));
    QVERIFY(dash && dash->isCheckable() && !dash->isChecked());
    ImageNoteWorkArea *area = workArea(&editor);

    // A solid line first, then a dashed one below it.
    drag(area, QPoint(10, 30), QPoint(110, 30));
    dash->trigger();
    drag(area, QPoint(10, 60), QPoint(110, 60));

    const QImage image = area->composedPixmap().toImage();
    int solidGaps = 0;
    int dashGaps = 0;
    for (int x = 20; x < 100; ++x) {
        solidGaps += !isDrawn(image, x, 29) && !isDrawn(image, x, 30);
        dashGaps += !isDrawn(image, x, 59) && !isDrawn(image, x, 60);
    }
    QCOMPARE(solidGaps, 0);
    QVERIFY2(dashGaps > 10, qPrintable(QString::number(dashGaps)));
}

void tst_ImageNoteEditor::undoAndRedoFollowTheSurface()
{
    Editor editor;
    QPushButton *undo = namedButton(&editor, "ImageNoteEditorUndo");
    QPushButton *redo = namedButton(&editor, "ImageNoteEditorRedo");
    QVERIFY(undo && redo);
    QVERIFY(undo->isEnabled() && redo->isEnabled());

    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    ImageNoteWorkArea *area = workArea(&editor);
    const QImage before = area->composedPixmap().toImage();
    QSignalSpy changed(&editor, SIGNAL(changed()));
    drag(area, QPoint(10, 10), QPoint(100, 70));
    QVERIFY(changed.count() > 0);
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
    const QImage drawn = area->composedPixmap().toImage();
    QVERIFY(drawn != before);
    // The drag-out preview shows the annotated picture.
    QCOMPARE(editor.findChild<QMWidgets::NoteEditDragPreview *>()->pixmap().toImage(), drawn);

    undo->click();
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    QCOMPARE(area->composedPixmap().toImage(), before);
    redo->click();
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(area->composedPixmap().toImage(), drawn);
}

void tst_ImageNoteEditor::strokeReleasedOutsideTheViewIsKept_data()
{
    QTest::addColumn<int>("mode");
    for (ImageNoteWorkArea::Mode mode : {ImageNoteWorkArea::Pen, ImageNoteWorkArea::Highlighter,
                                         ImageNoteWorkArea::Eraser, ImageNoteWorkArea::Line,
                                         ImageNoteWorkArea::Rectangle, ImageNoteWorkArea::BlurRectangle})
        QTest::newRow(QMetaEnum::fromType<ImageNoteWorkArea::Mode>().valueToKey(mode)) << int(mode);
}

// Pressed inside the scrolled view, dragged down past its edge and released there, where no paint comes: the
// stroke is kept, and the next press does not throw it away.
void tst_ImageNoteEditor::strokeReleasedOutsideTheViewIsKept()
{
    QFETCH(int, mode);
    QImage grey(2000, 2000, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    for (int y = 0; y < grey.height(); y += 2) // detail for the blur to smooth
        std::fill_n(reinterpret_cast<QRgb *>(grey.scanLine(y)), grey.width(), qRgb(60, 60, 60));
    Editor editor;
    editor.slotSetPixmap(QPixmap::fromImage(grey));
    editor.resize(1280, 800);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    ImageNoteWorkArea *area = workArea(&editor);
    const QPoint release(500, 1100);
    QVERIFY2(!area->visibleRegion().contains(release), "the release point is in view");
    const QImage picture = area->composedPixmap().toImage();
    // Each event followed by the paints it asks for, as the event loop runs them.
    const auto event = [area](QEvent::Type type, const QPoint &point) {
        sendMouse(area, type, point, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    if (mode == ImageNoteWorkArea::Eraser) {
        // Something in the overlay for the eraser to take away.
        area->slotSetMode(ImageNoteWorkArea::FilledRectangle);
        event(QEvent::MouseButtonPress, QPoint(50, 50));
        event(QEvent::MouseMove, QPoint(600, 1150));
        event(QEvent::MouseButtonRelease, QPoint(600, 1150));
    }
    const QImage before = area->composedPixmap().toImage();
    const qint64 bytesBefore = area->historyBytes();
    area->slotSetMode(ImageNoteWorkArea::Mode(mode));
    area->slotSetThikness(3);
    event(QEvent::MouseButtonPress, QPoint(100, 100));
    for (int i = 1; i <= 20; ++i)
        event(QEvent::MouseMove, QPoint(100 + 20 * i, 100 + 50 * i));
    event(QEvent::MouseButtonRelease, release);
    QVERIFY2(area->historyBytes() > bytesBefore, "the stroke is not in the history");

    // A second stroke, in view.
    area->slotSetMode(ImageNoteWorkArea::Pen);
    event(QEvent::MouseButtonPress, QPoint(900, 100));
    event(QEvent::MouseMove, QPoint(1000, 150));
    event(QEvent::MouseButtonRelease, QPoint(1000, 150));

    // On the path of the first stroke, in view and beyond it: for the eraser the picture again, for the others
    // something else than before.
    const QImage after = area->composedPixmap().toImage();
    const QImage onScreen = area->grab().toImage();
    for (const QPoint &point : {QPoint(110, 125), QPoint(490, 1075)}) {
        const QString where = QStringLiteral("at %1,%2").arg(point.x()).arg(point.y());
        if (mode == ImageNoteWorkArea::Eraser) {
            QVERIFY2(before.pixel(point) != picture.pixel(point), qPrintable(where));
            QVERIFY2(after.pixel(point) == picture.pixel(point), qPrintable(where));
        } else if (mode == ImageNoteWorkArea::BlurRectangle || mode == ImageNoteWorkArea::Rectangle) {
            // The rectangle from the press to the release: its blur inside, its outline along the edges.
            const QPoint inside = mode == ImageNoteWorkArea::Rectangle ? QPoint(100, point.y()) : point;
            QVERIFY2(after.pixel(inside) != before.pixel(inside), qPrintable(where));
        } else {
            QVERIFY2(after.pixel(point) != before.pixel(point), qPrintable(where));
        }
        QCOMPARE(onScreen.pixel(point), after.pixel(point));
    }
}

// The preview blurs only what is seen of a rectangle that reaches far beyond the view; what it shows is what
// the release's blur of the whole rectangle gives there, the rectangle's own edges included.
void tst_ImageNoteEditor::blurPreviewInAScrolledViewShowsWhatTheReleaseCommits()
{
    QImage detail(2400, 1800, QImage::Format_RGB32);
    for (int y = 0; y < detail.height(); ++y)
        for (int x = 0; x < detail.width(); ++x)
            detail.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) * 3 % 256));
    Editor editor;
    editor.slotSetPixmap(QPixmap::fromImage(detail));
    editor.resize(1000, 700);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    ImageNoteWorkArea *area = workArea(&editor);
    QWidget *viewport = area->parentWidget();
    area->slotSetMode(ImageNoteWorkArea::BlurRectangle);
    sendMouse(area, QEvent::MouseButtonPress, QPoint(60, 40), Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    // Growing within the view, shrinking, growing past it: the blur kept from paint to paint follows each edge.
    for (const QPoint &point : {QPoint(300, 200), QPoint(520, 430), QPoint(900, 650), QPoint(400, 300),
                                QPoint(1500, 1200), QPoint(2300, 1700)}) {
        sendMouse(area, QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const QImage preview = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    sendMouse(area, QEvent::MouseButtonRelease, QPoint(2300, 1700), Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    const QImage committed = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(preview != detail.copy(preview.rect()));
    const int worst = largestDifference(preview, committed);
    // The blur rounds each step: pixels it reached from further away may differ by that rounding.
    QVERIFY2(worst <= 1, qPrintable(QStringLiteral("differs by %1").arg(worst)));
}

void tst_ImageNoteEditor::confirmations_data()
{
    QTest::addColumn<QString>("ask");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<bool>("workDropped");
    const QStringList yesNo{"No", "Yes"};
    const QStringList yesNoCancel{"Cancel", "No", "Yes"};
    QTest::newRow("quit, Yes") << "quit" << "Yes" << s_quitText << yesNo << true;
    QTest::newRow("quit, No") << "quit" << "No" << s_quitText << yesNo << false;
    QTest::newRow("new shot, Yes") << "new shot" << "Yes" << s_newShotText << yesNo << true;
    QTest::newRow("new shot, No") << "new shot" << "No" << s_newShotText << yesNo << false;
    QTest::newRow("new shot, box closed") << "new shot" << QString() << s_newShotText << yesNo << false;
    QTest::newRow("close, Yes saves and stays") << "close" << "Yes" << s_closeText << yesNoCancel << false;
    QTest::newRow("close, No") << "close" << "No" << s_closeText << yesNoCancel << true;
    QTest::newRow("close, Cancel") << "close" << "Cancel" << s_closeText << yesNoCancel << false;
    QTest::newRow("close, box closed") << "close" << QString() << s_closeText << yesNoCancel << false;
}

// Unsaved work is left only on the answer that says so: the editor quits, hides for a new screenshot or
// closes, and nothing else.
void tst_ImageNoteEditor::confirmations()
{
    QFETCH(QString, ask);
    QFETCH(QString, answer);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);
    QFETCH(bool, workDropped);

    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QVERIFY(workArea(&editor)->isModified());
    QSignalSpy newShot(&editor, SIGNAL(doNewScreenShot()));

    QObject context;
    Box seen;
    bool saveAsked = false;
    const bool savesFirst = answer == QLatin1String("Yes") && ask == QLatin1String("close");
    answerBox(&context, answer, &seen, [&] {
        if (savesFirst)
            answerSaveDialog(&context, QString(), &saveAsked);
    });

    if (ask == QLatin1String("quit"))
        namedButton(&editor, "ImageNoteEditorQuit")->click();
    else if (ask == QLatin1String("new shot"))
        namedButton(&editor, "NewScreenShowButton")->click();
    else
        editor.close();

    QCOMPARE(seen.text, text);
    std::sort(seen.buttons.begin(), seen.buttons.end());
    QCOMPARE(seen.buttons, buttons);

    const bool quit = editor.quits > 0;
    const bool hiddenForNewShot = !newShot.isEmpty();
    const bool closed = !editor.isVisible();
    QCOMPARE(quit, workDropped && ask == QLatin1String("quit"));
    QCOMPARE(hiddenForNewShot, workDropped && ask == QLatin1String("new shot"));
    QCOMPARE(closed, workDropped && ask != QLatin1String("quit"));
    QCOMPARE(saveAsked, savesFirst);
}

void tst_ImageNoteEditor::windowDeletedWhileItAsks_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("the close question") << "close" << "QMWidgets::MMessageBox";
    QTest::newRow("the save dialog after Yes") << "close, Yes" << "QFileDialog";
    // Without parent, the font dialog outlives the editor and is still answered.
    QTest::newRow("the font dialog, answered after") << "font" << "QFontDialog";
}

// The editor read itself after a prompt during which it may be deleted (in a process of its own: that aborts
// the sanitizer build).
void tst_ImageNoteEditor::windowDeletedWhileItAsks()
{
    QFETCH(QString, prompt);
    QFETCH(QString, dialogClass);
    if (ranRowInChild())
        return;
    QPointer<Editor> editor = new Editor;
    editor->slotSetPixmap(blackPicture(QSize(120, 90)));
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));

    QObject context;
    QString deletedAt;
    const auto acceptFont = [](QWidget *dialog) { static_cast<QDialog *>(dialog)->accept(); };
    if (prompt == QLatin1String("font")) {
        deleteOnNextModal(&context, editor, &deletedAt, acceptFont);
        editor->slotSetFont();
    } else {
        Box seen;
        if (prompt == QLatin1String("close"))
            deleteOnNextModal(&context, editor, &deletedAt);
        else
            answerBox(&context, "Yes", &seen, [&] { deleteOnNextModal(&context, editor, &deletedAt); });
        editor->close();
    }
    QVERIFY(editor.isNull());
    QCOMPARE(deletedAt, dialogClass);
}

// Once the picture is saved, Quit quits at once, as the new screenshot and the close go ahead.
void tst_ImageNoteEditor::savedWorkIsLeftWithoutAsking()
{
    Editor editor;
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    QObject context;
    bool saveAsked = false;
    const QString path = m_dir.filePath(QStringLiteral("saved.png"));
    answerSaveDialog(&context, path, &saveAsked);
    namedButton(&editor, "ImageNoteEditorSave")->click();
    QVERIFY(saveAsked);
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!workArea(&editor)->isModified());

    QObject boxContext;
    Box seen;
    answerBox(&boxContext, QStringLiteral("No"), &seen);
    QSignalSpy newShot(&editor, SIGNAL(doNewScreenShot()));
    namedButton(&editor, "ImageNoteEditorQuit")->click();
    QCOMPARE(editor.quits, 1);
    namedButton(&editor, "NewScreenShowButton")->click();
    QCOMPARE(newShot.count(), 1);
    QVERIFY(!editor.isVisible());
    editor.show();
    QVERIFY(editor.close());
    QVERIFY(seen.text.isEmpty());
}

void tst_ImageNoteEditor::windowSizeFollowsThePicture_data()
{
    const QSize desktop = QApplication::desktop()->size();
    const QSize limit(int(desktop.width() / 1.5), int(desktop.height() / 1.5));
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("window");
    QTest::newRow("small: picture and bars") << QSize(300, 200) << QSize(400, 290);
    QTest::newRow("fits exactly") << limit - QSize(100, 90) << limit;
    QTest::newRow("one too wide") << limit - QSize(99, 300) << limit;
    QTest::newRow("one too high") << limit - QSize(300, 89) << limit;
    QTest::newRow("far larger") << desktop * 2 << limit;
}

// The window asks for the size; once shown, the layout may hold it larger, and that minimum is the only
// difference allowed.
void tst_ImageNoteEditor::windowSizeFollowsThePicture()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, window);
    Editor editor;
    editor.slotSetPixmap(blackPicture(picture));
    QCOMPARE(editor.size(), window);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(editor.size(), window.expandedTo(editor.minimumSizeHint()));
    QCOMPARE(workArea(&editor)->size(), picture);
}

// With the application style sheet every button of the window shows a picture: taking the picture away
// changes what it shows.
void tst_ImageNoteEditor::everyButtonShowsAPicture()
{
    Editor editor;
    editor.setStyleSheet(Resources::styleSheet());
    editor.slotSetPixmap(blackPicture(QSize(120, 90)));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    // The note editor's buttons show only while a note is written.
    ImageNoteWorkArea *area = workArea(&editor);
    namedButton(&editor, "ImageNoteEditorText")->click();
    drag(area, QPoint(10, 10), QPoint(20, 20));

    QStringList names;
    for (QPushButton *button : editor.findChildren<QPushButton *>()) {
        if (button->isVisibleTo(&editor) && button->text().isEmpty())
            names << button->objectName();
    }
    for (const char *name : {"ImageNoteEditorPen", "ImageNoteEditorText", "ImageNoteEditorThikness",
                             "ImageNoteEditorUndo", "ImageNoteEditorRedo", "ImageNoteEditorSave", "ImageNoteEditorApp",
                             "ImageNoteEditorQuit", "NoteEditWidgetAccept", "NoteEditWidgetReject",
                             "NoteEditWidgetInc", "NoteEditWidgetDec"}) {
        QVERIFY2(names.contains(QLatin1String(name)), name);
    }
    for (const QString &name : qAsConst(names)) {
        QPushButton *button = editor.findChild<QPushButton *>(name);
        const QImage styled = button->grab().toImage();
        button->setStyleSheet(QStringLiteral("QPushButton{image: none; border-image: none;}"));
        const QImage bare = button->grab().toImage();
        QVERIFY2(styled != bare, qPrintable(name));
    }
}

TARSEL_APP_TEST_MAIN(tst_ImageNoteEditor)
#include "tst_ImageNoteEditor.moc"

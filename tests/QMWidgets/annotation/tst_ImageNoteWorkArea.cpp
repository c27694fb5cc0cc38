#include "HangBound.h"
#include "ImageNoteWorkAreaFixture.h"
#include "TestApp.h"

#include "MGraphX/ImageFilters.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/annotation/NoteEditWidget.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>

using QMWidgets::ImageNoteWorkArea;
using QMWidgets::NoteEditWidget;
using Mode = QMWidgets::ImageNoteWorkArea::Mode;

// Drawing, history, notes and the cursor; saving is in tst_ImageNoteWorkAreaSave.
class tst_ImageNoteWorkArea : public ImageNoteWorkAreaFixture
{
    Q_OBJECT

private slots:
    void newPictureIsUnsavedWithEmptyHistory();
    void eachToolChangesOnlyItsArea_data();
    void eachToolChangesOnlyItsArea();
    void previewShowsWhatTheReleaseCommits_data();
    void previewShowsWhatTheReleaseCommits();
    void freeHandKeepsEveryCoalescedMove_data();
    void freeHandKeepsEveryCoalescedMove();
    void blurCoversEarlierAnnotationsWithTheBlurredPicture();
    void arrowWithoutLengthDrawsNoHead();
    void dashToggle_data();
    void dashToggle();
    void otherButtonsDoNotEndAStroke_data();
    void otherButtonsDoNotEndAStroke();
    void aPressNeverThrowsAStrokeAway_data();
    void aPressNeverThrowsAStrokeAway();
    void undoAndRedoGiveBackTheEarlierPixels_data();
    void undoAndRedoGiveBackTheEarlierPixels();
    void undoThenNewStrokeKeepsRedo();
    void undoStepKeepsOnlyTheStrokesRegion_data();
    void undoStepKeepsOnlyTheStrokesRegion();
    void textNoteIsPlacedAndDrawnInItsArea_data();
    void textNoteIsPlacedAndDrawnInItsArea();
    void noteOnASmallPictureReachesOverTheWindow();
    void noteStaysInTheScrolledView();
    void cancelledNoteDrawsNothing();
    void releaseWhileNoteIsOpenTakesNoSnapshot();
    void leavingRestoresTheEarlierCursor_data();
    void leavingRestoresTheEarlierCursor();

private:
    void drawFilledBlock();
    // Draws with the tool along the path; a note is typed and accepted.
    void drawWith(int mode, const QVector<QPoint> &path);
};

// A filled rectangle over most of the picture, for the eraser to take away.
void tst_ImageNoteWorkArea::drawFilledBlock()
{
    m_area->slotSetMode(ImageNoteWorkArea::FilledRectangle);
    drag({{10, 10}, {190, 140}});
}

void tst_ImageNoteWorkArea::drawWith(int mode, const QVector<QPoint> &path)
{
    m_area->slotSetMode(Mode(mode));
    drag(path);
    if (mode == ImageNoteWorkArea::Text) {
        QTest::keyClicks(noteEditor()->textEdit(), "Note");
        QTest::mouseClick(noteEditor()->findChild<QPushButton *>("NoteEditWidgetAccept"), Qt::LeftButton);
    }
}

void tst_ImageNoteWorkArea::newPictureIsUnsavedWithEmptyHistory()
{
    m_area->slotSetMode(ImageNoteWorkArea::Line);
    drag({{10, 10}, {50, 50}});
    m_signals.clear();
    m_area->slotSetPixmap(checkerboard());
    QCOMPARE(m_signals, QStringList({"redo 0", "undo 0"}));
    QVERIFY(m_area->isModified());
    QCOMPARE(m_area->size(), pictureSize);
    QCOMPARE(shown(), checkerboard().toImage().convertToFormat(QImage::Format_ARGB32));
    m_signals.clear();
    m_area->slotUndo();
    QCOMPARE(m_signals, QStringList({"undo 0", "redo 0"}));
}

void tst_ImageNoteWorkArea::eachToolChangesOnlyItsArea_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QVector<QPoint>>("path");
    // Pixels may change only inside this rectangle.
    QTest::addColumn<QRect>("area");
    // A pixel that must change, and one inside the area that must not (outside the picture: none).
    QTest::addColumn<QPoint>("changes");
    QTest::addColumn<QPoint>("stays");

    const QPoint none(-1, -1);
    QTest::newRow("pen") << int(ImageNoteWorkArea::Pen) << 3 << QVector<QPoint>{{20, 20}, {60, 40}, {100, 30}}
                         << QRect(QPoint(17, 17), QPoint(103, 43)) << QPoint(40, 30) << QPoint(60, 25);
    QTest::newRow("eraser") << int(ImageNoteWorkArea::Eraser) << 1 << QVector<QPoint>{{50, 75}, {100, 75}, {150, 75}}
                            << QRect(QPoint(44, 69), QPoint(156, 81)) << QPoint(100, 75) << QPoint(100, 60);
    QTest::newRow("highlighter") << int(ImageNoteWorkArea::Highlighter) << 1
                                 << QVector<QPoint>{{30, 100}, {90, 100}, {150, 100}}
                                 << QRect(QPoint(25, 95), QPoint(155, 105)) << QPoint(90, 100) << none;
    QTest::newRow("rectangle") << int(ImageNoteWorkArea::Rectangle) << 3 << QVector<QPoint>{{40, 30}, {150, 110}}
                               << QRect(QPoint(37, 27), QPoint(153, 113)) << QPoint(40, 70) << QPoint(95, 70);
    QTest::newRow("filled rectangle") << int(ImageNoteWorkArea::FilledRectangle) << 1
                                      << QVector<QPoint>{{40, 30}, {150, 110}}
                                      << QRect(QPoint(39, 29), QPoint(151, 111)) << QPoint(95, 70) << none;
    QTest::newRow("filled rectangle one pixel wide draws its column")
        << int(ImageNoteWorkArea::FilledRectangle) << 1 << QVector<QPoint>{{60, 30}, {60, 110}}
        << QRect(QPoint(58, 28), QPoint(62, 112)) << QPoint(60, 70) << none;
    // The blur replaces exactly the dragged rectangle.
    QTest::newRow("blur") << int(ImageNoteWorkArea::BlurRectangle) << 1 << QVector<QPoint>{{40, 30}, {120, 90}}
                          << QRect(QPoint(40, 30), QPoint(120, 90)) << QPoint(80, 60) << none;
    QTest::newRow("oval") << int(ImageNoteWorkArea::Oval) << 3 << QVector<QPoint>{{40, 30}, {160, 120}}
                          << QRect(QPoint(37, 27), QPoint(163, 123)) << QPoint(40, 75) << QPoint(100, 75);
    QTest::newRow("filled oval") << int(ImageNoteWorkArea::FilledOval) << 1 << QVector<QPoint>{{40, 30}, {160, 120}}
                                 << QRect(QPoint(39, 29), QPoint(161, 121)) << QPoint(100, 75) << QPoint(42, 32);
    QTest::newRow("line") << int(ImageNoteWorkArea::Line) << 3 << QVector<QPoint>{{30, 30}, {150, 30}}
                          << QRect(QPoint(27, 27), QPoint(153, 33)) << QPoint(90, 30) << none;
    // Pointing right: the head's strokes run from the tip 30 pixels back and 12 to each side.
    QTest::newRow("arrow pointing right") << int(ImageNoteWorkArea::Arrow) << 3
                                          << QVector<QPoint>{{30, 110}, {150, 110}}
                                          << QRect(QPoint(27, 96), QPoint(153, 124)) << QPoint(135, 116)
                                          << QPoint(60, 100);
    QTest::newRow("arrow pointing up") << int(ImageNoteWorkArea::Arrow) << 3
                                       << QVector<QPoint>{{100, 130}, {100, 30}}
                                       << QRect(QPoint(86, 27), QPoint(114, 133)) << QPoint(106, 45)
                                       << QPoint(90, 100);
    QTest::newRow("text") << int(ImageNoteWorkArea::Text) << 1 << QVector<QPoint>{{20, 20}, {30, 30}}
                          << QRect(20, 20, 220, 90) << none << none;
}

void tst_ImageNoteWorkArea::eachToolChangesOnlyItsArea()
{
    QFETCH(int, mode);
    QFETCH(int, thickness);
    QFETCH(QVector<QPoint>, path);
    QFETCH(QRect, area);
    QFETCH(QPoint, changes);
    QFETCH(QPoint, stays);

    if (mode == ImageNoteWorkArea::Eraser)
        drawFilledBlock();
    const QImage before = shown();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(thickness);
    m_area->slotSetColor(Qt::red);
    drawWith(mode, path);
    const QImage after = shown();
    const QRect box = changedBox(before, after);
    QVERIFY2(!box.isEmpty(), "nothing was drawn");
    QVERIFY2(area.contains(box), qPrintable(QString("changed %1,%2 %3x%4")
                                                .arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    if (after.rect().contains(changes))
        QVERIFY(before.pixel(changes) != after.pixel(changes));
    if (after.rect().contains(stays))
        QCOMPARE(after.pixel(stays), before.pixel(stays));
    // The eraser gives back the picture itself.
    if (mode == ImageNoteWorkArea::Eraser)
        QCOMPARE(after.pixel(changes), checkerboard().toImage().pixel(changes));
}

void tst_ImageNoteWorkArea::previewShowsWhatTheReleaseCommits_data()
{
    QTest::addColumn<int>("mode");
    for (Mode mode : {ImageNoteWorkArea::Pen, ImageNoteWorkArea::Eraser, ImageNoteWorkArea::Highlighter,
                      ImageNoteWorkArea::FilledRectangle, ImageNoteWorkArea::BlurRectangle, ImageNoteWorkArea::Oval,
                      ImageNoteWorkArea::Arrow})
        QTest::newRow(QMetaEnum::fromType<Mode>().valueToKey(mode)) << int(mode);
}

void tst_ImageNoteWorkArea::previewShowsWhatTheReleaseCommits()
{
    QFETCH(int, mode);
    drawFilledBlock();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(2);
    m_area->slotSetColor(Qt::blue);
    press({30, 40});
    for (const QPoint &point : {QPoint(80, 60), QPoint(120, 50), QPoint(150, 110)})
        move(point);
    const QImage preview = m_area->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    release({150, 110});
    const QImage committed = shown();
    QCOMPARE(preview.size(), committed.size());
    // Drawn straight onto the picture or first into the overlay: rounding may differ by a step or two.
    const int worst = largestDifference(preview, committed);
    QVERIFY2(worst <= 2, qPrintable(QString("differs by %1").arg(worst)));
}

void tst_ImageNoteWorkArea::freeHandKeepsEveryCoalescedMove_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("pen") << int(ImageNoteWorkArea::Pen);
    QTest::newRow("highlighter") << int(ImageNoteWorkArea::Highlighter);
    QTest::newRow("eraser") << int(ImageNoteWorkArea::Eraser);
}

void tst_ImageNoteWorkArea::freeHandKeepsEveryCoalescedMove()
{
    QFETCH(int, mode);
    if (mode == ImageNoteWorkArea::Eraser)
        drawFilledBlock();
    const QImage before = shown();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(2);
    // All moves before one paint, and a release away from the last move.
    send(m_area.get(), QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    const QVector<QPoint> moves{{60, 20}, {60, 70}, {120, 70}};
    for (const QPoint &point : moves)
        move(point, false);
    send(m_area.get(), QEvent::MouseButtonRelease, {120, 120}, Qt::LeftButton, Qt::NoButton);
    m_area->repaint();
    const QImage after = shown();
    // The middle of every step, the last one to the release point included.
    for (const QPoint &middle : {QPoint(40, 20), QPoint(60, 45), QPoint(90, 70), QPoint(120, 95)})
        QVERIFY2(before.pixel(middle) != after.pixel(middle),
                 qPrintable(QString("%1,%2 unchanged").arg(middle.x()).arg(middle.y())));
}

void tst_ImageNoteWorkArea::blurCoversEarlierAnnotationsWithTheBlurredPicture()
{
    drawFilledBlock();
    m_area->slotSetMode(ImageNoteWorkArea::BlurRectangle);
    // Dragged up and to the left: the area is the normalised rectangle.
    drag({{120, 90}, {80, 60}, {40, 30}});
    const QRect area(QPoint(40, 30), QPoint(120, 90));
    const QImage blurred = MGraphX::blurImage(checkerboard().toImage(), area, 10, false)
                               .copy(area)
                               .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown().copy(area), blurred);
}

void tst_ImageNoteWorkArea::arrowWithoutLengthDrawsNoHead()
{
    const QImage before = shown();
    m_area->slotSetMode(ImageNoteWorkArea::Arrow);
    m_area->slotSetThikness(2);
    drag({{100, 75}, {100, 75}});
    const QRect box = changedBox(before, shown());
    QVERIFY2(QRect(96, 71, 9, 9).contains(box),
             qPrintable(QString("changed %1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    QCOMPARE(m_signals.count("undo 1"), 1);
}

void tst_ImageNoteWorkArea::dashToggle_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("dash");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    // Pixels along this segment are looked at; with gaps, some of them stay as they were.
    QTest::addColumn<QPoint>("sampleFrom");
    QTest::addColumn<QPoint>("sampleTo");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("dashed line has gaps") << int(ImageNoteWorkArea::Line) << true << QPoint(20, 75)
                                          << QPoint(180, 75) << QPoint(30, 75) << QPoint(170, 75) << true;
    QTest::newRow("solid line has none") << int(ImageNoteWorkArea::Line) << false << QPoint(20, 75)
                                         << QPoint(180, 75) << QPoint(30, 75) << QPoint(170, 75) << false;
    QTest::newRow("large dashed oval has gaps") << int(ImageNoteWorkArea::Oval) << true << QPoint(20, 40)
                                                << QPoint(180, 110) << QPoint(80, 40) << QPoint(120, 40) << true;
    // Four pixels high: dashes would be longer than such an outline, so it is drawn solid.
    QTest::newRow("flat dashed oval is solid") << int(ImageNoteWorkArea::Oval) << true << QPoint(20, 70)
                                               << QPoint(180, 74) << QPoint(55, 70) << QPoint(145, 70) << false;
    QTest::newRow("dashed arrow shaft has gaps") << int(ImageNoteWorkArea::Arrow) << true << QPoint(100, 130)
                                                 << QPoint(100, 30) << QPoint(100, 70) << QPoint(100, 125) << true;
    QTest::newRow("dashed arrow head is solid") << int(ImageNoteWorkArea::Arrow) << true << QPoint(100, 130)
                                                << QPoint(100, 30) << QPoint(102, 34) << QPoint(111, 57) << false;
}

void tst_ImageNoteWorkArea::dashToggle()
{
    QFETCH(int, mode);
    QFETCH(bool, dash);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QPoint, sampleFrom);
    QFETCH(QPoint, sampleTo);
    QFETCH(bool, gaps);
    const QImage before = shown();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(2);
    m_area->slotSetDashLine(dash);
    drag({from, to});
    const QImage after = shown();
    const int steps = (sampleTo - sampleFrom).manhattanLength();
    int unchanged = 0;
    for (int i = 0; i <= steps; ++i) {
        const QPoint point = sampleFrom + (sampleTo - sampleFrom) * i / steps;
        if (after.pixel(point) == before.pixel(point))
            ++unchanged;
    }
    QCOMPARE(unchanged > 0, gaps);
}

void tst_ImageNoteWorkArea::otherButtonsDoNotEndAStroke_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void tst_ImageNoteWorkArea::otherButtonsDoNotEndAStroke()
{
    QFETCH(int, button);
    m_area->slotSetMode(ImageNoteWorkArea::Line);
    m_area->slotSetThikness(3);
    drag({{20, 20}, {60, 20}});
    const QImage afterStroke = shown();
    m_signals.clear();
    send(m_area.get(), QEvent::MouseButtonPress, {150, 120}, Qt::MouseButton(button), Qt::MouseButton(button));
    m_area->repaint();
    send(m_area.get(), QEvent::MouseMove, {160, 130}, Qt::NoButton, Qt::MouseButton(button));
    m_area->repaint();
    release({160, 130}, Qt::MouseButton(button));
    QCOMPARE(shown(), afterStroke);
    QVERIFY2(!m_signals.contains("undo 1"), qPrintable(m_signals.join(", ")));
}

void tst_ImageNoteWorkArea::aPressNeverThrowsAStrokeAway_data()
{
    QTest::addColumn<int>("mode");
    // The button of the press that comes in the middle of the stroke.
    QTest::addColumn<int>("button");
    // The left button's release went to another window: the next press finds the stroke unreleased.
    QTest::newRow("pen, release lost") << int(ImageNoteWorkArea::Pen) << int(Qt::LeftButton);
    QTest::newRow("highlighter, release lost") << int(ImageNoteWorkArea::Highlighter) << int(Qt::LeftButton);
    QTest::newRow("eraser, release lost") << int(ImageNoteWorkArea::Eraser) << int(Qt::LeftButton);
    QTest::newRow("pen, right button pressed while drawing") << int(ImageNoteWorkArea::Pen) << int(Qt::RightButton);
}

void tst_ImageNoteWorkArea::aPressNeverThrowsAStrokeAway()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    if (mode == ImageNoteWorkArea::Eraser)
        drawFilledBlock();
    const QImage before = shown();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(2);
    press({20, 100});
    move({120, 100});
    const Qt::MouseButtons held = button == Qt::LeftButton ? Qt::LeftButton : Qt::LeftButton | Qt::RightButton;
    send(m_area.get(), QEvent::MouseButtonPress, {150, 40}, Qt::MouseButton(button), held);
    m_area->repaint();
    send(m_area.get(), QEvent::MouseMove, {180, 40}, Qt::NoButton, held);
    m_area->repaint();
    if (button != Qt::LeftButton)
        send(m_area.get(), QEvent::MouseButtonRelease, {180, 40}, Qt::MouseButton(button), Qt::LeftButton);
    release({180, 40});
    QVERIFY2(shown().pixel(70, 100) != before.pixel(70, 100), "the first part of the stroke is gone");
}

void tst_ImageNoteWorkArea::undoAndRedoGiveBackTheEarlierPixels_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QVector<QPoint>>("path");
    const QVector<QPoint> freeHand{{20, 20}, {60, 40}, {100, 30}, {140, 60}};
    const QVector<QPoint> shape{{40, 30}, {90, 60}, {150, 110}};
    for (Mode mode : {ImageNoteWorkArea::Pen, ImageNoteWorkArea::Eraser, ImageNoteWorkArea::Highlighter})
        QTest::newRow(QMetaEnum::fromType<Mode>().valueToKey(mode)) << int(mode) << freeHand;
    for (Mode mode : {ImageNoteWorkArea::Rectangle, ImageNoteWorkArea::FilledRectangle,
                      ImageNoteWorkArea::BlurRectangle, ImageNoteWorkArea::Oval, ImageNoteWorkArea::FilledOval,
                      ImageNoteWorkArea::Line, ImageNoteWorkArea::Arrow})
        QTest::newRow(QMetaEnum::fromType<Mode>().valueToKey(mode)) << int(mode) << shape;
    QTest::newRow("Text") << int(ImageNoteWorkArea::Text) << QVector<QPoint>{{20, 20}, {30, 30}};
}

void tst_ImageNoteWorkArea::undoAndRedoGiveBackTheEarlierPixels()
{
    QFETCH(int, mode);
    QFETCH(QVector<QPoint>, path);
    const QImage picture = shown();
    // Something under the stroke for the eraser to take away and the blur to cover.
    drawFilledBlock();
    const QImage one = shown();
    m_area->slotSetThikness(3);
    m_area->slotSetColor(Qt::blue);
    m_signals.clear();
    drawWith(mode, path);
    // One step, and the picture is recomposed once for the stroke, not on every move (a note: once more
    // when its text is drawn).
    QCOMPARE(m_signals.count("undo 1"), 1);
    QCOMPARE(m_signals.count("changed"), mode == ImageNoteWorkArea::Text ? 2 : 1);
    const QImage two = shown();
    QVERIFY(two != one);

    m_signals.clear();
    m_area->slotUndo();
    QCOMPARE(m_signals, QStringList({"changed", "undo 1", "redo 1"}));
    QCOMPARE(shown(), one);
    m_area->slotUndo();
    QCOMPARE(shown(), picture);
    m_signals.clear();
    m_area->slotUndo();
    QCOMPARE(m_signals, QStringList({"undo 0", "redo 1"}));
    QCOMPARE(shown(), picture);

    m_signals.clear();
    m_area->slotRedo();
    QCOMPARE(m_signals, QStringList({"changed", "redo 1", "undo 1"}));
    QCOMPARE(shown(), one);
    m_signals.clear();
    m_area->slotRedo();
    QCOMPARE(m_signals, QStringList({"changed", "redo 0", "undo 1"}));
    QCOMPARE(shown(), two);
    m_area->slotUndo();
    QCOMPARE(shown(), one);
    QVERIFY(m_area->isModified());
}

void tst_ImageNoteWorkArea::undoThenNewStrokeKeepsRedo()
{
    m_area->slotSetMode(ImageNoteWorkArea::Line);
    m_area->slotSetThikness(3);
    const QImage picture = shown();
    drag({{20, 20}, {100, 20}});
    const QImage first = shown();
    m_area->slotUndo();
    QCOMPARE(shown(), picture);
    drag({{20, 100}, {100, 100}});
    const QImage second = shown();
    QVERIFY(second != first);
    m_signals.clear();
    // Redo keeps the new stroke on the undo stack and brings back what the undo took away.
    m_area->slotRedo();
    QCOMPARE(m_signals, QStringList({"changed", "redo 0", "undo 1"}));
    QCOMPARE(shown(), first);
    m_area->slotUndo();
    QCOMPARE(shown(), second);
}

// The bytes of the 64-pixel tiles of the history's grid that meet the box.
static qint64 tileBytes(const QRect &box)
{
    const int columns = box.right() / 64 - box.left() / 64 + 1;
    const int rows = box.bottom() / 64 - box.top() / 64 + 1;
    return qint64(columns) * rows * 64 * 64 * 4;
}

void tst_ImageNoteWorkArea::undoStepKeepsOnlyTheStrokesRegion_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QVector<QPoint>>("path");
    // Where the stroke may change pixels: its bounding box and the reach of its pen.
    QTest::addColumn<QRect>("reach");
    // What the step may keep at most.
    QTest::addColumn<qint64>("bytes");
    const QRect penBox(QPoint(995, 995), QPoint(1105, 1045));
    QTest::newRow("pen") << int(ImageNoteWorkArea::Pen) << 3
                         << QVector<QPoint>{{1000, 1000}, {1050, 1040}, {1100, 1010}} << penBox << tileBytes(penBox);
    // The eraser's pen is ten times as thick.
    const QRect eraserBox(QPoint(988, 988), QPoint(1112, 1052));
    QTest::newRow("eraser") << int(ImageNoteWorkArea::Eraser) << 1
                            << QVector<QPoint>{{1000, 1000}, {1050, 1040}, {1100, 1010}} << eraserBox
                            << tileBytes(eraserBox);
    const QRect blurBox(QPoint(300, 200), QPoint(500, 300));
    QTest::newRow("blur") << int(ImageNoteWorkArea::BlurRectangle) << 1 << QVector<QPoint>{{300, 200}, {500, 300}}
                          << blurBox << tileBytes(blurBox);
    // The head reaches back from the tip.
    const QRect arrowBox(QPoint(163, 863), QPoint(437, 937));
    QTest::newRow("arrow") << int(ImageNoteWorkArea::Arrow) << 2 << QVector<QPoint>{{200, 900}, {400, 900}}
                           << arrowBox << tileBytes(arrowBox);
    // A line from corner to corner has the whole picture for its bounding box: the step keeps the tiles it
    // crosses, a few per column of tiles, not the 7.7 MB of the box.
    const QRect picture(0, 0, 1600, 1200);
    QTest::newRow("line corner to corner keeps the tiles it crosses")
        << int(ImageNoteWorkArea::Line) << 3 << QVector<QPoint>{{0, 0}, {1599, 1199}} << picture
        << qint64(3) * (1600 / 64) * 64 * 64 * 4;
    QTest::newRow("oval's outline keeps the tiles it crosses")
        << int(ImageNoteWorkArea::Oval) << 2 << QVector<QPoint>{{100, 100}, {1500, 1100}} << picture
        << tileBytes(picture) / 3;
}

void tst_ImageNoteWorkArea::undoStepKeepsOnlyTheStrokesRegion()
{
    QFETCH(int, mode);
    QFETCH(int, thickness);
    QFETCH(QVector<QPoint>, path);
    QFETCH(QRect, reach);
    QFETCH(qint64, bytes);
    m_area->slotSetPixmap(checkerboard(QSize(1600, 1200)));
    QCOMPARE(m_area->historyBytes(), 0);
    // The eraser has something to take away.
    m_area->slotSetMode(ImageNoteWorkArea::FilledRectangle);
    drag({{150, 150}, {1300, 1100}});
    const qint64 earlier = m_area->historyBytes();
    const QImage before = shown();
    m_area->slotSetMode(Mode(mode));
    m_area->slotSetThikness(thickness);
    drag(path);
    const QImage after = shown();
    const QRect changed = changedBox(before, after);
    QVERIFY(reach.contains(changed));
    // Nothing like the 7.7 MB of the whole overlay.
    const qint64 step = m_area->historyBytes() - earlier;
    QVERIFY2(step > 0 && step <= bytes, qPrintable(QString("%1 bytes kept, at most %2").arg(step).arg(bytes)));
    // Undone, the step kept for redo is no larger; undo and redo give back the pixels exactly.
    m_area->slotUndo();
    QCOMPARE(shown(), before);
    QVERIFY(m_area->historyBytes() - earlier <= bytes);
    m_area->slotRedo();
    QCOMPARE(shown(), after);
}

void tst_ImageNoteWorkArea::textNoteIsPlacedAndDrawnInItsArea_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("area");
    // Dragged by 100 pixels or less: the default size at the press point.
    QTest::newRow("short drag") << QPoint(10, 20) << QPoint(70, 60) << QRect(10, 20, 220, 90);
    QTest::newRow("long drag") << QPoint(10, 10) << QPoint(150, 120) << QRect(QPoint(10, 10), QPoint(150, 120));
    QTest::newRow("dragged up and left") << QPoint(180, 140) << QPoint(30, 40)
                                         << QRect(QPoint(30, 40), QPoint(180, 140));
    // A long drag along one edge would give a note without width or height: it gets the note editor's
    // minimum, room for its buttons and a line of text.
    QTest::newRow("ending one pixel left of its start") << QPoint(100, 20) << QPoint(99, 200)
                                                        << QRect(100, 20, 104, 181);
    QTest::newRow("ending one pixel above its start") << QPoint(20, 100) << QPoint(260, 99)
                                                      << QRect(20, 100, 241, 52);
    // Moved in from the edges so that the Accept and Cancel row stays on the picture.
    QTest::newRow("near the right edge") << QPoint(350, 40) << QPoint(360, 50) << QRect(180, 40, 220, 90);
    QTest::newRow("near the bottom edge") << QPoint(40, 280) << QPoint(50, 290) << QRect(40, 210, 220, 90);
    QTest::newRow("long drag into the corner") << QPoint(250, 200) << QPoint(399, 299)
                                               << QRect(QPoint(250, 200), QPoint(399, 299));
    // Past the picture's edge the note is cut to the picture, not stretched over what lies around it with
    // its text drawn where no pixel is.
    QTest::newRow("dragged past the right and bottom edges") << QPoint(200, 150) << QPoint(700, 500)
                                                             << QRect(QPoint(200, 150), QPoint(399, 299));
    QTest::newRow("dragged past the top and left edges") << QPoint(250, 180) << QPoint(-300, -200)
                                                         << QRect(QPoint(0, 0), QPoint(250, 180));
}

void tst_ImageNoteWorkArea::textNoteIsPlacedAndDrawnInItsArea()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, area);
    m_area->slotSetMode(ImageNoteWorkArea::Text);
    m_area->slotSetColor(Qt::red);
    const QImage before = shown();
    drag({from, to});
    NoteEditWidget *editor = noteEditor();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->geometry(), area);
    auto *accept = editor->findChild<QPushButton *>("NoteEditWidgetAccept");
    QVERIFY(accept->isVisible());
    QVERIFY(m_area->rect().contains(QRect(accept->mapTo(m_area.get(), QPoint()), accept->size())));
    // The note is written in the drawing colour.
    QVERIFY(editor->textEdit()->styleSheet().contains("color: #ff0000;"));
    QCOMPARE(m_signals.count("undo 1"), 1);
    // The frame is only shown: nothing is drawn into the picture until the note is accepted.
    QCOMPARE(shown(), before);

    QTest::keyClicks(editor->textEdit(), "the words of a note too long for one line of its area");
    const int lineHeight = QFontMetrics(editor->textEdit()->currentFont()).height();
    m_signals.clear();
    QVERIFY(!editor->textEdit()->toPlainText().isEmpty());
    QTest::mouseClick(accept, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QVERIFY(editor->textEdit()->toPlainText().isEmpty());
    QVERIFY(m_signals.contains("changed"));
    QVERIFY(!m_signals.contains("undo 1"));
    const QRect box = changedBox(before, shown());
    QVERIFY(!box.isEmpty());
    const QRect textArea = QRect(area.topLeft() + QPoint(3, 3), area.bottomRight()) & QRect(QPoint(), pictureSize);
    QVERIFY2(textArea.contains(box), qPrintable(QString("changed %1,%2 %3x%4")
                                                    .arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    // Wrapped at the area's right edge onto further lines, not cut off there.
    QVERIFY(box.height() > lineHeight * 3 / 2);
    // The tool goes back to writing notes a moment later.
    QTRY_VERIFY_WITH_TIMEOUT((drag({{5, 5}, {8, 8}}), editor->isVisible()), HangBoundMs);
}

// A picture smaller than the note: the note reaches over the window around it, whole and usable.
void tst_ImageNoteWorkArea::noteOnASmallPictureReachesOverTheWindow()
{
    QWidget window;
    window.resize(500, 400);
    auto *area = new ImageNoteWorkArea(&window);
    area->move(150, 150);
    area->slotSetPixmap(checkerboard(QSize(100, 60)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    area->slotSetMode(ImageNoteWorkArea::Text);
    const QImage before = area->composedPixmap().toImage();
    send(area, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(area, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    area->repaint();

    auto *editor = window.findChild<NoteEditWidget *>("NoteEditWidget");
    QVERIFY(editor->isVisible());
    const QRect placed(editor->mapTo(&window, QPoint()), editor->size());
    QCOMPARE(placed, QRect(155, 155, 220, 90));
    // Whole: nothing of it is cut off at the picture's edges.
    QCOMPARE(editor->visibleRegion(), QRegion(editor->rect()));
    auto *accept = editor->findChild<QPushButton *>("NoteEditWidgetAccept");
    QVERIFY(accept->isVisible());
    QTest::keyClicks(editor->textEdit(), "Hi");
    QTest::mouseClick(accept, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QVERIFY(!changedBox(before, area->composedPixmap().toImage()).isEmpty());
}

// A picture larger than its view: the note stays in the part that is seen, its Accept row in reach, and
// its text lands where it was.
void tst_ImageNoteWorkArea::noteStaysInTheScrolledView()
{
    QScrollArea view;
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *area = new ImageNoteWorkArea;
    area->slotSetPixmap(checkerboard(QSize(400, 300)));
    view.setWidget(area);
    view.resize(250, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    area->slotSetMode(ImageNoteWorkArea::Text);
    const QImage before = area->composedPixmap().toImage();
    // Near the view's bottom right: a note of the default size there would reach out of sight.
    send(area, QEvent::MouseButtonPress, {150, 120}, Qt::LeftButton, Qt::LeftButton);
    send(area, QEvent::MouseButtonRelease, {160, 130}, Qt::LeftButton, Qt::NoButton);
    area->repaint();

    auto *editor = view.findChild<NoteEditWidget *>("NoteEditWidget");
    QVERIFY(editor->isVisible());
    const QRect seen(QPoint(), view.viewport()->size());
    QVERIFY2(seen.contains(QRect(editor->mapTo(view.viewport(), QPoint()), editor->size())),
             qPrintable(QString("note at %1,%2").arg(editor->x()).arg(editor->y())));
    QTest::keyClicks(editor->textEdit(), "Seen");
    QTest::mouseClick(editor->findChild<QPushButton *>("NoteEditWidgetAccept"), Qt::LeftButton);
    const QRect box = changedBox(before, area->composedPixmap().toImage());
    QVERIFY(!box.isEmpty());
    QVERIFY(editor->geometry().contains(box));
}

void tst_ImageNoteWorkArea::cancelledNoteDrawsNothing()
{
    m_area->slotSetMode(ImageNoteWorkArea::Text);
    const QImage before = shown();
    drag({{20, 20}, {40, 40}});
    QTest::keyClicks(noteEditor()->textEdit(), "gone");
    QTest::mouseClick(noteEditor()->findChild<QPushButton *>("NoteEditWidgetReject"), Qt::LeftButton);
    QVERIFY(!noteEditor()->isVisible());
    QVERIFY(noteEditor()->textEdit()->toPlainText().isEmpty());
    QCOMPARE(shown(), before);
}

void tst_ImageNoteWorkArea::releaseWhileNoteIsOpenTakesNoSnapshot()
{
    m_area->slotSetMode(ImageNoteWorkArea::Text);
    drag({{20, 20}, {40, 40}});
    QCOMPARE(m_signals.count("undo 1"), 1);
    m_signals.clear();
    // A second drag while the note is open moves the note.
    drag({{10, 100}, {190, 180}});
    QVERIFY(!m_signals.contains("undo 1"));
    QCOMPARE(noteEditor()->geometry(), QRect(QPoint(10, 100), QPoint(190, 180)));
}

void tst_ImageNoteWorkArea::leavingRestoresTheEarlierCursor_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("visits");
    QTest::addColumn<bool>("earlierOverride");
    QTest::newRow("one visit, no earlier cursor") << int(ImageNoteWorkArea::Pen) << 1 << false;
    QTest::newRow("three visits over a wait cursor") << int(ImageNoteWorkArea::Pen) << 3 << true;
    QTest::newRow("untinted tool") << int(ImageNoteWorkArea::Eraser) << 2 << true;
    QTest::newRow("standard arrow tool") << int(ImageNoteWorkArea::FilledOval) << 2 << true;
}

void tst_ImageNoteWorkArea::leavingRestoresTheEarlierCursor()
{
    QFETCH(int, mode);
    QFETCH(int, visits);
    QFETCH(bool, earlierOverride);
    if (earlierOverride)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_area->slotSetMode(Mode(mode));
    for (int i = 0; i < visits; ++i) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(m_area.get(), &enter);
        QVERIFY(QGuiApplication::overrideCursor());
        QVERIFY(QGuiApplication::overrideCursor()->shape() != Qt::WaitCursor);
        if (mode == ImageNoteWorkArea::FilledOval)
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        // A second enter without a leave between must not stack another cursor.
        QApplication::sendEvent(m_area.get(), &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_area.get(), &leave);
        if (earlierOverride)
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        else
            QVERIFY(!QGuiApplication::overrideCursor());
    }
    // Taken away while the pointer is over it, the surface takes its cursor with it.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(m_area.get(), &enter);
    m_area.reset();
    if (earlierOverride) {
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}


TARSEL_APP_TEST_MAIN(tst_ImageNoteWorkArea)
#include "tst_ImageNoteWorkArea.moc"

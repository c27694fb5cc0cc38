#include "QMWidgets/annotation/OverlayHistory.h"

#include <QPainter>
#include <QPixmap>
#include <QtTest>

using QMWidgets::OverlayHistory;

class tst_OverlayHistory : public QObject
{
    Q_OBJECT

private slots:
    void stepsPastTheBudgetDropTheOldest();
    void changeLargerThanTheBudgetEmptiesTheHistory();
    void undoKeepsTheBudgetWhenRedoStepsGrow();

private:
    // One change covering the picture, as a filled rectangle over all of it is; returns the tiles altered.
    static QVector<QRect> fill(OverlayHistory &history, QPixmap &picture, const QColor &color);
    static QColor colorOf(const QPixmap &picture);
    static QColor shade(int step) { return QColor(step * 20, 255 - step * 20, 0); }

    static constexpr int side = 256;
    static constexpr qint64 pictureBytes = qint64(side) * side * 4;
};

QVector<QRect> tst_OverlayHistory::fill(OverlayHistory &history, QPixmap &picture, const QColor &color)
{
    const QVector<QRect> tiles = OverlayHistory::tiles(picture.rect(), picture.size());
    history.openStep();
    history.aboutToChange(picture, tiles);
    {
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), color);
    }
    return history.changeDone(picture);
}

QColor tst_OverlayHistory::colorOf(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    const QColor corner = image.pixelColor(0, 0);
    // The whole picture is one colour after every step: a piece left behind would show here.
    return image.pixelColor(side - 1, side - 1) == corner && image.pixelColor(side / 2, side / 3) == corner
        ? corner
        : QColor();
}

// Ten strokes over the whole picture with room for three: the history stays within its budget, and undo goes
// back step by step to the oldest kept, which redo walks forward again.
void tst_OverlayHistory::stepsPastTheBudgetDropTheOldest()
{
    QPixmap picture(side, side);
    picture.fill(shade(0));
    OverlayHistory history;
    history.setBudget(3 * pictureBytes);
    for (int step = 1; step <= 10; ++step) {
        const int tilesPerSide = side / OverlayHistory::tileSize;
        QCOMPARE(fill(history, picture, shade(step)).size(), tilesPerSide * tilesPerSide);
        QVERIFY2(history.bytes() <= history.budget(), qPrintable(QString::number(history.bytes())));
        QVERIFY(history.canUndo());
    }
    int undone = 0;
    while (history.canUndo()) {
        QVERIFY(!history.undo(picture).isEmpty());
        ++undone;
        QCOMPARE(colorOf(picture), shade(10 - undone));
        QVERIFY2(history.bytes() <= history.budget(), qPrintable(QString::number(history.bytes())));
    }
    QCOMPARE(undone, 3);
    QVERIFY(history.undo(picture).isEmpty());
    while (history.canRedo()) {
        history.redo(picture);
        --undone;
        QCOMPARE(colorOf(picture), shade(10 - undone));
    }
    QCOMPARE(undone, 0);
}

// A change that alone needs more than the budget is painted, reported as altered, and undoes nothing: the steps
// before it no longer lead back from the picture, so they go too.
void tst_OverlayHistory::changeLargerThanTheBudgetEmptiesTheHistory()
{
    QPixmap picture(side, side);
    picture.fill(shade(0));
    OverlayHistory history;
    history.setBudget(pictureBytes / 2);
    const QVector<QRect> corner = OverlayHistory::tiles(QRect(0, 0, 64, 64), picture.size());
    history.openStep();
    history.aboutToChange(picture, corner);
    QPainter(&picture).fillRect(corner.first(), shade(1));
    QCOMPARE(history.changeDone(picture), corner);
    QVERIFY(history.canUndo());

    QCOMPARE(fill(history, picture, shade(2)).size(), 16);
    QCOMPARE(colorOf(picture), shade(2));
    QVERIFY(!history.canUndo());
    QVERIFY(!history.canRedo());
    QCOMPARE(history.bytes(), 0);
    QVERIFY(history.undo(picture).isEmpty());
    QCOMPARE(colorOf(picture), shade(2));
}

// A change made after an undo is kept in the redo step too; undoing it then adds a way forward while its pieces
// stay in that redo step. The undo must not leave the history past its budget.
void tst_OverlayHistory::undoKeepsTheBudgetWhenRedoStepsGrow()
{
    QPixmap picture(side, side);
    picture.fill(shade(0));
    OverlayHistory history;
    history.setBudget(3 * pictureBytes);
    fill(history, picture, shade(1));
    fill(history, picture, shade(2));
    history.undo(picture);
    fill(history, picture, shade(3));
    QVERIFY2(history.bytes() <= history.budget(), qPrintable(QString::number(history.bytes())));
    history.undo(picture);
    QVERIFY2(history.bytes() <= history.budget(), qPrintable(QString::number(history.bytes())));
    QCOMPARE(colorOf(picture), shade(1));
    history.redo(picture);
    QCOMPARE(colorOf(picture), shade(3));
    history.undo(picture);
    history.undo(picture);
    QCOMPARE(colorOf(picture), shade(0));
}

QTEST_MAIN(tst_OverlayHistory)
#include "tst_OverlayHistory.moc"

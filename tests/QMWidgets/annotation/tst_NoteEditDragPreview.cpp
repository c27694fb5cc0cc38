#include "QMWidgets/annotation/NoteEditDragPreview.h"

#include "QMWidgets/app/App.h"
#include "resources/Resources.h"
#include "PaintedText.h"
#include "TestApp.h"
#include "TextLayers.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

using QMWidgets::NoteEditDragPreview;

namespace {

// Left half red, right half green: a thumbnail that kept the aspect ratio or lost a half shows it.
QPixmap twoColourPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::green);
    painter.end();
    return QPixmap::fromImage(image);
}

QString workFile(const QString &name)
{
    return QMWidgets::App::instance()->workDirectory(true) + name;
}

QString dragName(int index)
{
    return index == 0 ? QStringLiteral("QuilletDrag.png") : QStringLiteral("QuilletDrag%1.png").arg(index);
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Drags started since the last call; the drag deletes itself later, so it is still a child right after exec.
QList<QDrag *> drags(NoteEditDragPreview &preview)
{
    return preview.findChildren<QDrag *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class tst_NoteEditDragPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void dragWritesFirstOpenableName_data();
    void dragWritesFirstOpenableName();
    void noOpenableNameDragsNothing();
    void dragStartsPastTheDragDistanceOfTheLastLeftPress_data();
    void dragStartsPastTheDragDistanceOfTheLastLeftPress();
    void thumbnailFillsTheWidget();
    void captionReadsOverAnyPicture_data();
    void captionReadsOverAnyPicture();
};

void tst_NoteEditDragPreview::initTestCase()
{
    Resources::init();
}

void tst_NoteEditDragPreview::cleanup()
{
    QDir work(QMWidgets::App::instance()->workDirectory(true));
    for (const QFileInfo &entry : work.entryInfoList({QStringLiteral("QuilletDrag*")}, QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry.isDir())
            QVERIFY(QDir(entry.filePath()).removeRecursively());
        else
            QVERIFY(QFile::remove(entry.filePath()));
    }
}

void tst_NoteEditDragPreview::dragWritesFirstOpenableName_data()
{
    QTest::addColumn<int>("blocked");
    QTest::addColumn<bool>("staleFile");
    QTest::addColumn<int>("written");
    QTest::newRow("bare name first") << 0 << false << 0;
    QTest::newRow("an existing file is overwritten") << 0 << true << 0;
    QTest::newRow("bare name unopenable: number 1") << 1 << false << 1;
    QTest::newRow("three unopenable: number 3") << 3 << false << 3;
    QTest::newRow("all but the last unopenable") << 31 << false << 31;
}

// A folder of a name stands for a file another program holds open: neither can be opened for writing.
void tst_NoteEditDragPreview::dragWritesFirstOpenableName()
{
    QFETCH(int, blocked);
    QFETCH(bool, staleFile);
    QFETCH(int, written);
    for (int index = 0; index < blocked; ++index)
        QVERIFY(QDir().mkpath(workFile(dragName(index))));
    if (staleFile) {
        QFile stale(workFile(dragName(0)));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(100000, 'x'));
    }

    NoteEditDragPreview preview;
    preview.resize(80, 60);
    const QPixmap picture = twoColourPicture(QSize(200, 50));
    preview.slotSetPixmap(picture);
    preview.startDrag();

    const QString path = workFile(dragName(written));
    const QImage saved(path, "PNG");
    QVERIFY2(!saved.isNull(), qPrintable(path));
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), picture.toImage().convertToFormat(QImage::Format_RGB32));
    QVERIFY(!QFileInfo::exists(workFile(dragName(written + 1))));

    const QList<QDrag *> started = drags(preview);
    QCOMPARE(started.size(), 1);
    QCOMPARE(started.first()->mimeData()->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(started.first()->pixmap().size(), preview.size());
}

void tst_NoteEditDragPreview::noOpenableNameDragsNothing()
{
    for (int index = 0; index < 32; ++index)
        QVERIFY(QDir().mkpath(workFile(dragName(index))));
    NoteEditDragPreview preview;
    preview.slotSetPixmap(twoColourPicture(QSize(20, 20)));
    preview.startDrag();
    QVERIFY(drags(preview).isEmpty());
    QVERIFY(!QFileInfo::exists(workFile(dragName(32))));
}

void tst_NoteEditDragPreview::dragStartsPastTheDragDistanceOfTheLastLeftPress_data()
{
    const int distance = QApplication::startDragDistance();
    QTest::addColumn<QPoint>("leftPress");
    QTest::addColumn<QPoint>("rightPress");
    QTest::addColumn<QPoint>("moveTo");
    QTest::addColumn<Qt::MouseButtons>("held");
    QTest::addColumn<bool>("dragged");
    const QPoint none(-1, -1);
    QTest::newRow("one past the distance") << QPoint(5, 5) << none << QPoint(5 + distance + 1, 5)
                                           << Qt::MouseButtons(Qt::LeftButton) << true;
    QTest::newRow("at the distance, counted across both axes")
        << QPoint(5, 5) << none << QPoint(5 + distance / 2, 5 + distance - distance / 2)
        << Qt::MouseButtons(Qt::LeftButton) << false;
    QTest::newRow("left button not held") << QPoint(5, 5) << none << QPoint(60, 40)
                                          << Qt::MouseButtons(Qt::RightButton) << false;
    // Measured from the right press the move would be too short.
    QTest::newRow("a right press leaves the start") << QPoint(5, 5) << QPoint(60, 40) << QPoint(61, 40)
                                                    << Qt::MouseButtons(Qt::LeftButton) << true;
    QTest::newRow("measured from the latest left press") << QPoint(5, 5) << none << QPoint(5, 5)
                                                         << Qt::MouseButtons(Qt::LeftButton) << false;
}

void tst_NoteEditDragPreview::dragStartsPastTheDragDistanceOfTheLastLeftPress()
{
    QFETCH(QPoint, leftPress);
    QFETCH(QPoint, rightPress);
    QFETCH(QPoint, moveTo);
    QFETCH(Qt::MouseButtons, held);
    QFETCH(bool, dragged);

    NoteEditDragPreview preview;
    preview.resize(100, 80);
    preview.slotSetPixmap(twoColourPicture(QSize(20, 20)));
    // An earlier left press far away, so only the latest one can explain a drag that does not start.
    sendMouse(&preview, QEvent::MouseButtonPress, QPoint(90, 70), Qt::LeftButton, Qt::LeftButton);
    sendMouse(&preview, QEvent::MouseButtonRelease, QPoint(90, 70), Qt::LeftButton, Qt::NoButton);
    sendMouse(&preview, QEvent::MouseButtonPress, leftPress, Qt::LeftButton, Qt::LeftButton);
    if (rightPress != QPoint(-1, -1))
        sendMouse(&preview, QEvent::MouseButtonPress, rightPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    // On the offscreen platform the drag returns at once, so the move returns too.
    sendMouse(&preview, QEvent::MouseMove, moveTo, Qt::NoButton, held);

    QCOMPARE(drags(preview).size(), dragged ? 1 : 0);
    QCOMPARE(QFileInfo::exists(workFile(dragName(0))), dragged);
}

void tst_NoteEditDragPreview::thumbnailFillsTheWidget()
{
    NoteEditDragPreview preview;
    preview.resize(100, 100);
    preview.slotSetPixmap(twoColourPicture(QSize(400, 50)));
    const QImage shown = preview.grab().toImage();
    // Below the caption band, under the glass: red on the left and green on the right down to the bottom.
    for (int y : {30, 60, 95}) {
        const QColor left = shown.pixelColor(20, y);
        const QColor right = shown.pixelColor(80, y);
        QVERIFY2(left.red() > 150 && left.green() < left.red() - 60, qPrintable(QString::number(y)));
        QVERIFY2(right.green() > 150 && right.red() < right.green() - 60, qPrintable(QString::number(y)));
    }
    // The caption band darkens the top of the picture.
    QVERIFY(shown.pixelColor(20, 2).red() < shown.pixelColor(20, 30).red());
}

void tst_NoteEditDragPreview::captionReadsOverAnyPicture_data()
{
    QTest::addColumn<QColor>("picture");
    // The band let half of a white picture through: white on mid grey read at 4:1.
    QTest::newRow("white picture") << QColor(Qt::white);
    QTest::newRow("pale yellow picture") << QColor(255, 255, 180);
    QTest::newRow("light grey picture") << QColor(200, 200, 200);
}

void tst_NoteEditDragPreview::captionReadsOverAnyPicture()
{
    QFETCH(QColor, picture);
    NoteEditDragPreview preview;
    preview.resize(100, 80);
    QPixmap plain(200, 160);
    plain.fill(picture);
    preview.slotSetPixmap(plain);
    const QRectF caption = paintedBox(paintedTexts(preview), QStringLiteral("Drag"));
    QVERIFY2(!caption.isNull(), "no caption drawn");
    const double measured = textContrast(paintTextLayers(preview), caption);
    QVERIFY2(measured >= 4.5, qPrintable(QString::number(measured)));
}

TARSEL_APP_TEST_MAIN(tst_NoteEditDragPreview)
#include "tst_NoteEditDragPreview.moc"

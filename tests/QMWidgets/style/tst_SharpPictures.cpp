#include "QMWidgets/annotation/ImageArea.h"
#include "QMWidgets/annotation/ImageNoteEditor.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "ScaledRun.h"
#include "TestApp.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

using namespace QMWidgets;

namespace {

// A window of the program holding the place that shows a picture; returns the widget that paints it.
using Build = std::function<QWidget *(std::unique_ptr<QWidget> &window)>;

QWidget *inHost(std::unique_ptr<QWidget> &window, QWidget *content, const char *childName)
{
    window.reset(new QWidget);
    auto *layout = new QVBoxLayout(window.get());
    layout->addWidget(content);
    return content->findChild<QWidget *>(QString::fromLatin1(childName));
}

// How many opaque pixels of the picture differ visibly from what is painted, placed where it fits best: on
// opaque pixels the background cannot show through, so they must be the picture's own.
int mismatches(const QImage &painted, const QImage &picture, int *opaque)
{
    const QImage shown = painted.convertToFormat(QImage::Format_ARGB32);
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QVector<QPoint> solid;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (qAlpha(source.pixel(x, y)) == 255)
                solid << QPoint(x, y);
    *opaque = solid.size();
    int best = solid.size();
    for (int dy = 0; dy + source.height() <= shown.height(); ++dy) {
        for (int dx = 0; dx + source.width() <= shown.width(); ++dx) {
            int count = 0;
            for (const QPoint &point : solid) {
                const QRgb p = shown.pixel(point.x() + dx, point.y() + dy);
                const QRgb q = source.pixel(point);
                if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))}) > 24 && ++count >= best)
                    break;
            }
            best = std::min(best, count);
        }
    }
    return best;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class tst_SharpPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesShowTheirDeviceSource_data();
    void picturesShowTheirDeviceSource();
};

void tst_SharpPictures::initTestCase()
{
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
}

void tst_SharpPictures::picturesShowTheirDeviceSource_data()
{
    QTest::addColumn<Build>("build");
    // The picture's file for a ratio of 1; Qt finds the "@2x" one beside it.
    QTest::addColumn<QString>("picture");
    // Whether the style sheet fits the picture into a box smaller than the picture: the size is then searched.
    QTest::addColumn<bool>("fitted");
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    QTest::newRow("message box icon")
        << Build([](std::unique_ptr<QWidget> &window) {
               window.reset(new MMessageBox(MMessageBox::Warning, "Title", "Text", QMessageBox::Ok));
               for (QLabel *label : window->findChildren<QLabel *>())
                   if (label->pixmap() && !label->pixmap()->isNull())
                       return static_cast<QWidget *>(label);
               return static_cast<QWidget *>(nullptr);
           })
        << ":/MessageWarning.png" << false;
    QTest::newRow("ImageArea's arrow")
        << Build([](std::unique_ptr<QWidget> &window) {
               auto *area = new ImageArea;
               area->setFixedSize(300, 200);
               return inHost(window, area, "NextImageButton");
           })
        << ":/pix/ViewerNext.png" << false;
    QTest::newRow("annotation tool button")
        << Build([](std::unique_ptr<QWidget> &window) {
               auto *editor = new ImageNoteEditor;
               window.reset(editor);
               return editor->findChild<QWidget *>("ImageNoteEditorPen");
           })
        << ":/NoteToolPen.png" << true;
}

// At a pixel ratio of 2 a picture shows the detail of its source drawn for twice the pixels, not a doubled copy of
// the one drawn for a ratio of 1.
void tst_SharpPictures::picturesShowTheirDeviceSource()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const ScaledRun run = runScaled({"picturesShowTheirDeviceSource"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    QFETCH(Build, build);
    QFETCH(QString, picture);
    QFETCH(bool, fitted);
    std::unique_ptr<QWidget> window;
    QWidget *place = build(window);
    QVERIFY(place);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage painted = paintWidget(*place);

    const QSize natural = QImage(picture).size();
    QVERIFY(natural.isValid());
    const int smallest = fitted ? natural.width() / 2 : natural.width();
    int best = -1;
    QString found;
    for (int side = natural.width(); side >= smallest; --side) {
        const QSize size = natural.scaled(side, side, Qt::KeepAspectRatio);
        // What the sharp source gives at this size, and a doubled copy of the plain one.
        const QImage sharp = QIcon(picture).pixmap(size).toImage();
        QCOMPARE(sharp.size(), size * 2);
        const QImage doubled = QImage(picture).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int opaque = 0;
        const int misses = mismatches(painted, sharp, &opaque);
        if (best >= 0 && misses * 1000 / std::max(1, opaque) >= best)
            continue;
        best = misses * 1000 / std::max(1, opaque);
        const int doubledMisses = mismatches(doubled, sharp, &opaque);
        found = QStringLiteral("%1 of %2 opaque pixels of the sharp picture at %3 differ; of a doubled copy, %4")
                    .arg(misses).arg(opaque).arg(side).arg(doubledMisses);
        // The row means something only if a doubled copy of the plain picture is told apart from the sharp one.
        QVERIFY2(doubledMisses * 20 > opaque, qPrintable(found));
    }
    QVERIFY2(best <= 20, qPrintable(found));
}

TARSEL_APP_TEST_MAIN(tst_SharpPictures)
#include "tst_SharpPictures.moc"

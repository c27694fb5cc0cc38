#include "HangBound.h"
#include "ChildRun.h"
#include "TestApp.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "LinkCatcher.h"
#include "WidgetPaint.h"

#include "MTools/FileReading.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/annotation/ImageArea.h"
#include "QMWidgets/desktop/ImageViewer.h"
#include "resources/Resources.h"

#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

using QMWidgets::ImageArea;
using QMWidgets::ImageViewer;

Q_DECLARE_METATYPE(Qt::ScrollBarPolicy)

namespace {

QLabel *previewLabel(QWidget *area)
{
    return area->findChild<QLabel *>("PreviewLabel");
}

// The size of what the preview label paints of a picture filled with darkCyan: the box of those pixels.
QSize shownSize(QWidget *area)
{
    const QImage painted = previewLabel(area)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb cyan = QColor(Qt::darkCyan).rgb();
    int left = painted.width(), top = painted.height(), right = -1, bottom = -1;
    for (int y = 0; y < painted.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(painted.constScanLine(y));
        for (int x = 0; x < painted.width(); ++x) {
            if (line[x] == cyan) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QSize() : QSize(right - left + 1, bottom - top + 1);
}

// The area's information label: the only label it holds without an object name.
QLabel *infoLabel(QWidget *area)
{
    for (QLabel *label : area->findChildren<QLabel *>()) {
        if (label->objectName().isEmpty())
            return label;
    }
    return nullptr;
}

QPixmap filled(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::darkCyan);
    return pixmap;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    return QByteArray(1, char(value >> 24)) + char(value >> 16) + char(value >> 8) + char(value);
}

QByteArray littleEndian(quint32 value, int length)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes += char(value >> (8 * i));
    return bytes;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A valid one-bit grey PNG of the size, all black: its rows of zeros compress to almost nothing. It sits in
// an icon whose directory says 256 x 256, as the format allows no more.
bool writeIconHoldingPng(const QString &path, const QSize &size)
{
    const int rowLength = 1 + (size.width() + 7) / 8; // filter byte, then the packed pixels
    const QByteArray zlibStream = qCompress(QByteArray(rowLength * size.height(), '\0'), 9).mid(4);
    const QByteArray header = bigEndian(quint32(size.width())) + bigEndian(quint32(size.height()))
                              + QByteArray("\x01\x00\x00\x00\x00", 5);
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header) + pngChunk("IDAT", zlibStream)
                           + pngChunk("IEND", QByteArray());
    const QByteArray directory = littleEndian(0, 2) + littleEndian(1, 2) + littleEndian(1, 2)
                                 + QByteArray(4, '\0') + littleEndian(1, 2) + littleEndian(32, 2)
                                 + littleEndian(quint32(png.size()), 4) + littleEndian(22, 4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(directory + png) == directory.size() + png.size();
}

} // namespace

class tst_ImageViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void ownerMayDeleteItOnNext();
    void areaSizesTheLabelAndScrollBars_data();
    void areaSizesTheLabelAndScrollBars();
    void resizeInFitModeRescales();
    void zoomShowsThePartScrolledTo();
    void smallZoomAveragesFineDetail();
    void zoomControls_data();
    void zoomControls();
    void pressingTheSliderShowsTheZoom();
    void hoverShowsTheNavigation_data();
    void hoverShowsTheNavigation();
    void emptyInformationStaysHidden();
    void nextShowsLoadingUntilThePictureComes();
    void buttonsShowTheirPictures_data();
    void buttonsShowTheirPictures();
    void pictureDeclaringTooManyPixelsIsNotDecoded();
    void topDownBitmapOpens();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void openWithPreviewHandsTheFileToTheDesktop();
    void openWithPreviewOpensNothingWhenTheSaveFails_data();
    void openWithPreviewOpensNothingWhenTheSaveFails();
    void openWithDesktopTakesFilesAndLinks();

private:
    LinkCatcher m_links{{"file", "https"}};
};

void tst_ImageViewer::init()
{
    m_links.clear();
}

void tst_ImageViewer::areaSizesTheLabelAndScrollBars_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<int>("zoom"); // 0 fits the picture to the area
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QSize>("label");
    QTest::addColumn<Qt::ScrollBarPolicy>("horizontal");
    QTest::addColumn<Qt::ScrollBarPolicy>("vertical");
    const auto off = Qt::ScrollBarAlwaysOff;
    const auto asNeeded = Qt::ScrollBarAsNeeded;
    QTest::newRow("wider than the area, lower than it") << QSize(2000, 1000) << 50 << QSize(1000, 500)
                                                        << QSize(1000, 600) << asNeeded << off;
    QTest::newRow("fits both ways") << QSize(2000, 1000) << 30 << QSize(600, 300) << QSize(800, 600) << off << off;
    QTest::newRow("higher than the area, narrower than it") << QSize(1000, 2000) << 50 << QSize(500, 1000)
                                                            << QSize(800, 1000) << off << asNeeded;
    QTest::newRow("larger both ways") << QSize(2000, 1000) << 100 << QSize(2000, 1000) << QSize(2000, 1000)
                                      << asNeeded << asNeeded;
    QTest::newRow("exactly the area's size needs bars") << QSize(800, 600) << 100 << QSize(800, 600)
                                                        << QSize(800, 600) << asNeeded << asNeeded;
    QTest::newRow("one percent") << QSize(3000, 2000) << 1 << QSize(30, 20) << QSize(800, 600) << off << off;
    QTest::newRow("fitted keeps the aspect") << QSize(2000, 1000) << 0 << QSize(800, 400) << QSize(800, 600) << off
                                             << off;
}

void tst_ImageViewer::areaSizesTheLabelAndScrollBars()
{
    QFETCH(QSize, image);
    QFETCH(int, zoom);
    QFETCH(QSize, shown);
    QFETCH(QSize, label);
    QFETCH(Qt::ScrollBarPolicy, horizontal);
    QFETCH(Qt::ScrollBarPolicy, vertical);

    ImageArea area;
    area.resize(800, 600);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.setImage(filled(image));
    if (zoom > 0)
        area.slotZoom(zoom);

    QCOMPARE(shownSize(&area), shown);
    QCOMPARE(previewLabel(&area)->size(), label);
    auto *scrollArea = area.findChild<QScrollArea *>();
    QCOMPARE(scrollArea->geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(scrollArea->horizontalScrollBarPolicy(), horizontal);
    QCOMPARE(scrollArea->verticalScrollBarPolicy(), vertical);
    QCOMPARE(area.pixmap().size(), image);
}

void tst_ImageViewer::resizeInFitModeRescales()
{
    ImageArea area;
    area.resize(800, 600);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.setImage(filled(QSize(2000, 1000)));
    area.resize(400, 300);
    QTRY_COMPARE_WITH_TIMEOUT(shownSize(&area), QSize(400, 200), HangBoundMs);
    QCOMPARE(previewLabel(&area)->size(), QSize(400, 300));
}

// Only the part of the picture that shows is drawn, and it is the part the scroll bars point at.
void tst_ImageViewer::zoomShowsThePartScrolledTo()
{
    ImageArea area;
    area.resize(800, 600);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QPixmap picture(4000, 3000);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(2000, 1500, 2000, 1500, Qt::blue);
    area.setImage(picture);
    area.slotZoom(50);
    auto *scrollArea = area.findChild<QScrollArea *>();
    const auto centreColour = [&] {
        QWidget *viewport = scrollArea->viewport();
        return viewport->grab().toImage().pixelColor(viewport->width() / 2, viewport->height() / 2);
    };
    QCOMPARE(centreColour(), QColor(Qt::red));
    scrollArea->horizontalScrollBar()->setValue(scrollArea->horizontalScrollBar()->maximum());
    scrollArea->verticalScrollBar()->setValue(scrollArea->verticalScrollBar()->maximum());
    QCOMPARE(centreColour(), QColor(Qt::blue));
    QCOMPARE(previewLabel(&area)->size(), QSize(2000, 1500));
}

// Far below its size, a picture of one-pixel stripes shows as the grey they average to, not as a moiré of
// picked stripes.
void tst_ImageViewer::smallZoomAveragesFineDetail()
{
    ImageArea area;
    area.resize(800, 600);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QImage stripes(3000, 2000, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    area.setImage(QPixmap::fromImage(stripes));
    area.slotZoom(7);
    const QImage painted = previewLabel(&area)->grab().toImage();
    const QPoint centre(painted.width() / 2, painted.height() / 2);
    for (int dx = -50; dx <= 50; dx += 7) {
        const int grey = qGray(painted.pixel(centre + QPoint(dx, 0)));
        QVERIFY2(grey > 100 && grey < 155, qPrintable(QString("%1 at %2").arg(grey).arg(dx)));
    }
}

void tst_ImageViewer::zoomControls_data()
{
    QTest::addColumn<int>("start"); // 0 leaves the new viewer as it is
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("fitChecked");
    QTest::addColumn<bool>("actualChecked");

    // "ZoomInButton" lowers the zoom and "ZoomOutButton" raises it.
    QTest::newRow("decrease at 100 gives 99") << 0 << "ZoomInButton" << 99 << false << false;
    QTest::newRow("increase at 100 does nothing") << 0 << "ZoomOutButton" << 100 << true << false;
    QTest::newRow("decrease at 1 does nothing") << 1 << "ZoomInButton" << 1 << false << false;
    QTest::newRow("increase at 99 reaches actual pixels") << 99 << "ZoomOutButton" << 100 << false << true;
    QTest::newRow("actual pixels from 40") << 40 << "ActualPixelsButton" << 100 << false << true;
    QTest::newRow("actual pixels at 100 leaves fit mode") << 0 << "ActualPixelsButton" << 100 << false << true;
    QTest::newRow("fit from 40") << 40 << "FitToScreenButton" << 40 << true << false;
    QTest::newRow("fit from actual pixels") << 100 << "FitToScreenButton" << 100 << true << false;
}

void tst_ImageViewer::zoomControls()
{
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(int, value);
    QFETCH(bool, fitChecked);
    QFETCH(bool, actualChecked);

    ImageViewer viewer;
    viewer.resize(900, 700);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.slotLoad(filled(QSize(1000, 500)).toImage());
    auto *slider = viewer.findChild<QSlider *>("ImageViewSlider");
    auto *fit = viewer.findChild<QPushButton *>("FitToScreenButton");
    auto *actual = viewer.findChild<QPushButton *>("ActualPixelsButton");
    QCOMPARE(slider->minimum(), 1);
    QCOMPARE(slider->maximum(), 100);
    if (start == 100) {
        slider->setValue(50);
        slider->setValue(100);
    } else if (start > 0) {
        slider->setValue(start);
    }

    QTest::mouseClick(viewer.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(slider->value(), value);
    QCOMPARE(fit->isChecked(), fitChecked);
    QCOMPARE(actual->isChecked(), actualChecked);

    auto *area = viewer.findChild<ImageArea *>();
    const QSize shown = shownSize(area);
    if (fitChecked)
        QCOMPARE(shown, QSize(1000, 500).scaled(area->size(), Qt::KeepAspectRatio));
    else if (start != 0 || button != "ZoomOutButton")
        QCOMPARE(shown, QSize(1000, 500) * value / 100.0);
}

void tst_ImageViewer::pressingTheSliderShowsTheZoom()
{
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto *slider = viewer.findChild<QSlider *>("ImageViewSlider");
    slider->setValue(37);
    QLabel *info = infoLabel(viewer.findChild<ImageArea *>());
    info->hide();

    slider->setSliderDown(true);
    QVERIFY(info->isVisible());
    QCOMPARE(info->text(), QString("<H1>37%</H1>"));
    slider->setSliderDown(false);
    QVERIFY(!info->isVisible());
}

void tst_ImageViewer::hoverShowsTheNavigation_data()
{
    QTest::addColumn<bool>("navigationHidden");
    QTest::newRow("navigation shown") << false;
    QTest::newRow("navigation hidden shows only the information") << true;
}

void tst_ImageViewer::hoverShowsTheNavigation()
{
    QFETCH(bool, navigationHidden);
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.setInfoText("<H1>Picture 1</H1>");
    viewer.setNavigationHidden(navigationHidden);
    auto *area = viewer.findChild<ImageArea *>();
    auto *next = area->findChild<QPushButton *>("NextImageButton");
    auto *previous = area->findChild<QPushButton *>("PreviousImageButton");
    QLabel *info = infoLabel(area);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(area, &leave);
    QVERIFY(!next->isVisible() && !previous->isVisible() && !info->isVisible());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(area, &enter);
    QCOMPARE(next->isVisible(), !navigationHidden);
    QCOMPARE(previous->isVisible(), !navigationHidden);
    QVERIFY(info->isVisible());
    QCOMPARE(info->text(), QString("<H1>Picture 1</H1>"));
}

// An information label without text would still show its rounded backdrop over the picture: it stays hidden,
// from the start and on hover, until there is something to say.
void tst_ImageViewer::emptyInformationStaysHidden()
{
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto *area = viewer.findChild<ImageArea *>();
    QLabel *info = infoLabel(area);
    QVERIFY(!info->isVisible());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(area, &enter);
    QVERIFY(!info->isVisible());
    area->slotShowInfo();
    QVERIFY(!info->isVisible());

    viewer.setInfoText("<H1>Picture 1</H1>");
    QVERIFY(info->isVisible());
}

void tst_ImageViewer::nextShowsLoadingUntilThePictureComes()
{
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto *area = viewer.findChild<ImageArea *>();
    auto *loading = area->findChild<QLabel *>("ImageLoadingLabel");
    QVERIFY(!loading->isVisible());
    // Without its animation the label would be an empty box, left standing when the owner does not answer.
    QVERIFY(!loading->movie()->isValid());
    QStringList events;
    connect(&viewer, &ImageViewer::next, [&] { events << QStringLiteral("next loading=%1").arg(loading->isVisible()); });
    connect(&viewer, &ImageViewer::previous, [&] { events << "previous"; });
    connect(&viewer, &ImageViewer::infoChanged, [&] { events << "infoChanged"; });

    QTest::mouseClick(area->findChild<QPushButton *>("NextImageButton"), Qt::LeftButton);
    QCOMPARE(events, QStringList({"next loading=0", "infoChanged"}));
    QTest::mouseClick(area->findChild<QPushButton *>("PreviousImageButton"), Qt::LeftButton);
    QCOMPARE(events.mid(2), QStringList({"previous", "infoChanged"}));
    QVERIFY(!loading->isVisible());

    viewer.slotLoad(filled(QSize(20, 10)).toImage());
    QVERIFY(!loading->isVisible());
    // The area owns the animation, so it goes with the area.
    QCOMPARE(loading->movie()->parent(), area);
}

// The buttons carry no text: only the style sheet's pictures make them visible.
void tst_ImageViewer::buttonsShowTheirPictures_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"ZoomInButton", "ZoomOutButton", "FitToScreenButton", "NextImageButton", "PreviousImageButton"})
        QTest::newRow(name) << QString(name);
}

void tst_ImageViewer::buttonsShowTheirPictures()
{
    QFETCH(QString, name);
    Resources::init();
    ImageViewer viewer;
    viewer.setStyleSheet(Resources::styleSheet());
    viewer.resize(600, 450);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    // Previous and next show while the pointer is over the picture.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(viewer.findChild<ImageArea *>(), &enter);
    auto *button = viewer.findChild<QPushButton *>(name);
    QVERIFY(button->isVisible());
    QVERIFY(button->width() >= 24 && button->height() >= 24);
    const QImage look = paintWidget(*button);
    button->setStyleSheet("QPushButton{image: none;}");
    QVERIFY2(paintWidget(*button) != look, "only the background is drawn");
}

// A small file may declare a huge picture: it is refused before anything of that size is made.
void tst_ImageViewer::pictureDeclaringTooManyPixelsIsNotDecoded()
{
    const QString path = TestApp::homePath() + "/huge.ppm";
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("P6\n16000 16000\n255\n");
    file.write(QByteArray(300, '\x7f'));
    file.close();
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.slotLoad(filled(QSize(20, 10)).toImage());
    viewer.slotLoad(path);
    auto *area = viewer.findChild<ImageArea *>();
    QVERIFY(area->pixmap().isNull());
    QLabel *info = infoLabel(area);
    QVERIFY(info->isVisible());
    QVERIFY2(info->text().contains("16000 x 16000"), qPrintable(info->text()));
}

// A bitmap stored top down declares a negative height: its size is judged as the decoder reads it.
void tst_ImageViewer::topDownBitmapOpens()
{
    const int side = 4;
    const int rowBytes = side * 3; // 24 bits a pixel, already a multiple of 4
    const QByteArray info = littleEndian(40, 4) + littleEndian(side, 4) + littleEndian(quint32(-side), 4)
                            + littleEndian(1, 2) + littleEndian(24, 2) + QByteArray(24, '\0');
    QByteArray pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            pixels += QByteArray(1, char(x * 60)) + char(y * 60) + char(200); // blue, green, red
    const QByteArray head = QByteArray("BM") + littleEndian(quint32(14 + 40 + pixels.size()), 4)
                            + QByteArray(4, '\0') + littleEndian(14 + 40, 4);
    QCOMPARE(pixels.size(), side * rowBytes);
    const QString path = TestApp::homePath() + "/top-down.bmp";
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write(head + info + pixels);
    file.close();

    ImageViewer viewer;
    viewer.slotLoad(path);
    const QImage shown = viewer.findChild<ImageArea *>()->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(side, side));
    // The first row of the file is the top row of the picture.
    QCOMPARE(shown.pixel(3, 0), qRgb(200, 0, 180));
    QCOMPARE(shown.pixel(0, 3), qRgb(200, 180, 0));
}

void tst_ImageViewer::hostileFilesAreRefused_data()
{
    addHostileFileRows();
    // The icon's directory says 256 x 256; the PNG inside, 60 KB of it, decodes at its own size, gigabytes.
    QTest::newRow("icon holding a huge PNG") << "ico";
}

void tst_ImageViewer::hostileFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    QFETCH(QString, kind);
    HostileFile hostile;
    if (kind == "ico") {
        hostile.path = TestApp::homePath() + "/huge.ico";
        QVERIFY(writeIconHoldingPng(hostile.path, QSize(22000, 22000)));
        hostile.reason = "This picture is too large to show: 22000 x 22000 pixels";
    } else {
        hostile = makeHostileFile(TestApp::homePath(), MTools::PictureFileBound);
    }
    ImageViewer viewer;
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.slotLoad(filled(QSize(20, 10)).toImage());
    viewer.slotLoad(hostile.path);
    auto *area = viewer.findChild<ImageArea *>();
    QVERIFY(area->pixmap().isNull());
    QLabel *info = infoLabel(area);
    QVERIFY(info->isVisible());
    QVERIFY2(info->text().contains(hostile.reason), qPrintable(info->text()));
}

void tst_ImageViewer::openWithPreviewHandsTheFileToTheDesktop()
{
    ImageViewer viewer;
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, 77));
    const QString picturePath = TestApp::homePath() + "/picture.png";
    QVERIFY(picture.save(picturePath));
    viewer.slotLoad(picturePath);
    QSignalSpy opened(&viewer, &ImageViewer::systemPreviewOpened);

    QTest::mouseClick(viewer.findChild<QPushButton *>("SysPreviewButton"), Qt::LeftButton);
    const QString preview = QMWidgets::App::instance()->workDirectory() + "preview.png";
    QCOMPARE(m_links.links(), QList<QUrl>({QUrl::fromLocalFile(preview)}));
    QCOMPARE(opened.count(), 1);
    QVERIFY(QImage(preview).convertToFormat(QImage::Format_RGB32) == picture);
}

void tst_ImageViewer::openWithPreviewOpensNothingWhenTheSaveFails_data()
{
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("no readable picture") << false;
    QTest::newRow("a folder at the preview's name") << true;
}

void tst_ImageViewer::openWithPreviewOpensNothingWhenTheSaveFails()
{
    QFETCH(bool, folderInTheWay);
    const QString preview = QMWidgets::App::instance()->workDirectory(true) + "preview.png";
    QFile::remove(preview);
    ImageViewer viewer;
    if (folderInTheWay) {
        QVERIFY(QDir().mkpath(preview));
        viewer.slotLoad(filled(QSize(10, 10)).toImage());
    } else {
        viewer.slotLoad(TestApp::homePath() + "/no such picture.png");
    }
    QSignalSpy opened(&viewer, &ImageViewer::systemPreviewOpened);
    QTest::mouseClick(viewer.findChild<QPushButton *>("SysPreviewButton"), Qt::LeftButton);
    QVERIFY(m_links.links().isEmpty());
    QCOMPARE(opened.count(), 0);
    QDir(preview).removeRecursively();
}

void tst_ImageViewer::openWithDesktopTakesFilesAndLinks()
{
    const QString path = TestApp::homePath() + "/a #1.txt";
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.close();
    QMWidgets::openWithDesktop(path);
    QMWidgets::openWithDesktop("https://example.org/a b");
    QCOMPARE(m_links.links(), QList<QUrl>({QUrl::fromLocalFile(path), QUrl("https://example.org/a%20b")}));
}

// A step to the next picture went on to infoChanged() after next(), on which an owner may delete the viewer
// (in a process of its own: freed memory aborts the sanitizer build).
void tst_ImageViewer::ownerMayDeleteItOnNext()
{
    if (ranRowInChild())
        return;
    QPointer<ImageViewer> viewer = new ImageViewer;
    viewer->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    int infoChanged = 0;
    connect(viewer, &ImageViewer::next, [&] { delete viewer; });
    connect(viewer, &ImageViewer::infoChanged, [&] { ++infoChanged; });
    viewer->findChild<ImageArea *>()->findChild<QPushButton *>("NextImageButton")->click();
    QVERIFY(viewer.isNull());
    QCOMPARE(infoChanged, 0);
}

TARSEL_APP_TEST_MAIN(tst_ImageViewer)
#include "tst_ImageViewer.moc"

// Every text of every exhibit of the gallery, alone and inside a dialog, reads against what it is drawn on:
// at least 4.5:1, or 3:1 for large text (WCAG 2.1), measured on the pixels the screen shows.
#include "Exhibits.h"
#include "ScaledRun.h"
#include "TestApp.h"
#include "TextLayers.h"

#include "resources/Resources.h"

#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

// Large text: 18 points, or 14 points bold, which at 96 dots per inch are 24 and 18.7 pixels.
double requiredRatio(const QFont &font)
{
    const QFontInfo info(font);
    const bool large = info.pixelSize() >= 24 || (info.bold() && info.pixelSize() >= 19);
    return large ? 3.0 : 4.5;
}

// The texts of the widget that read worse than their bound, one line each.
QStringList faintTexts(QWidget *widget)
{
    showAndGrab(widget);
    // Each text is measured against what lies under it, lines and frames that cross it included.
    const TextLayers layers = paintTextLayers(*widget);
    const QRectF shown(QPointF(0, 0), QSizeF(widget->size()));
    QStringList faint;
    for (int i = 0; i < layers.texts.size(); ++i) {
        const PaintedText &text = layers.texts.at(i);
        // A shadow is read with its face.
        if (layers.faces.at(i) != i)
            continue;
        QRectF box = text.box.intersected(shown);
        if (!text.clip.isNull())
            box = box.intersected(text.clip);
        // Blank runs, and runs clipped away or scrolled out of sight, show nothing to read.
        if (text.text.trimmed().isEmpty() || box.height() < text.box.height() / 2 || box.width() < 2)
            continue;
        const double measured = textContrast(layers, i, box);
        const double required = requiredRatio(text.font);
        if (measured < required) {
            faint << QStringLiteral("\"%1\" at (%2, %3) reads %4:1, below %5:1")
                         .arg(text.text.left(40))
                         .arg(text.box.x())
                         .arg(text.box.y())
                         .arg(measured, 0, 'f', 2)
                         .arg(required, 0, 'f', 1);
        }
    }
    return faint;
}

} // namespace

class tst_Contrast : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textsRead_data();
    void textsRead();
    void textsReadAtPixelRatioTwo();
    void faintTextReadsFaintWhateverCrossesIt_data();
    void faintTextReadsFaintWhateverCrossesIt();
};

void tst_Contrast::initTestCase()
{
    // The program's own style, applied the way the program applies it.
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
}

void tst_Contrast::textsRead_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("framed");
    const std::vector<Exhibit> all = exhibits();
    for (int index = 0; index < int(all.size()); ++index) {
        const QByteArray name = all[size_t(index)].name.toUtf8();
        QTest::newRow(name + " alone") << index << false;
        if (all[size_t(index)].kind == Exhibit::Widget)
            QTest::newRow(name + " in dialog") << index << true;
    }
}

void tst_Contrast::textsRead()
{
    QFETCH(int, index);
    QFETCH(bool, framed);
    const Exhibit exhibit = exhibits()[size_t(index)];
    const std::unique_ptr<QWidget> widget(framed ? inDialog(exhibit.make()) : exhibit.make());
    const QStringList faint = faintTexts(widget.get());
    QVERIFY2(faint.isEmpty(), qPrintable(exhibit.name + QStringLiteral(": ") + faint.join(QStringLiteral("; "))));
}

void tst_Contrast::textsReadAtPixelRatioTwo()
{
    if (qApp->devicePixelRatio() != 1)
        QSKIP("this run is the one at ratio 2");
    const ScaledRun run = runScaled({QStringLiteral("textsRead")}, QStringLiteral("2"), 300000);
    QVERIFY2(run.passed, qPrintable(run.output));
}

void tst_Contrast::faintTextReadsFaintWhateverCrossesIt_data()
{
    QTest::addColumn<QString>("crossing");
    QTest::newRow("alone") << QString();
    // The line's black against the grey ground would read 9:1 if it counted as the text's stroke.
    QTest::newRow("a black line through it") << "line";
    // A white line of text whose box overlaps the caption's: its strokes would count as the caption's.
    QTest::newRow("a neighbouring text in its box") << "text";
}

// Light grey on grey reads 1.2:1, and stays so when a line or another text is drawn in the caption's box.
void tst_Contrast::faintTextReadsFaintWhateverCrossesIt()
{
    QFETCH(QString, crossing);
    QWidget ground;
    ground.setObjectName(QStringLiteral("Ground"));
    ground.setStyleSheet(QStringLiteral("#Ground { background: #aaaaaa; } QLabel { color: #bbbbbb; } "
                                        "QLabel#Neighbour { color: #000000; }"));
    ground.setAttribute(Qt::WA_StyledBackground);
    ground.resize(200, 60);
    auto *caption = new QLabel(QStringLiteral("Faint caption"), &ground);
    caption->setGeometry(10, 10, 180, 40);
    if (crossing == QLatin1String("line")) {
        auto *line = new QWidget(&ground);
        line->setAutoFillBackground(true);
        line->setPalette(QPalette(Qt::black));
        line->setGeometry(0, 29, 200, 2);
    } else if (crossing == QLatin1String("text")) {
        auto *neighbour = new QLabel(QStringLiteral("Strong neighbour"), &ground);
        neighbour->setObjectName(QStringLiteral("Neighbour"));
        neighbour->setGeometry(10, 16, 180, 40);
    }
    const QStringList faint = faintTexts(&ground);
    QVERIFY2(!faint.isEmpty(), "the faint caption passed");
    QVERIFY2(faint.first().startsWith(QStringLiteral("\"Faint caption\" ")), qPrintable(faint.first()));
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    tst_Contrast test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Contrast.moc"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/LinkDialog.h"
#include "resources/Resources.h"
#include "ButtonLookup.h"
#include "LinkCatcher.h"
#include "ModalAnswer.h"
#include "PaintedText.h"
#include "ScaledRun.h"
#include "WidgetPaint.h"
#include "TestApp.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include <memory>

using QMWidgets::App;
using QMWidgets::LinkDialog;

namespace {

// The key as the settings store holds it, under the application name.
QVariant storedShowKey()
{
    return App::instance()->settings()->value("Tarsel/ShowTutoralDialog");
}

// Shows the dialog in the application style and gives the picture label that holds the question.
QLabel *showStyled(LinkDialog &dialog)
{
    dialog.setStyleSheet(Resources::styleSheet());
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return nullptr;
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->text().contains("(Watch the Video Introduction)"))
            return label;
    }
    return nullptr;
}

} // namespace

class tst_LinkDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void pictureAndQuestion();
    void questionFitsThePicture();
    void questionFitsThePictureAtRatioTwo();
    void questionStandsOutFromThePicture();
    void answers_data();
    void answers();
    void checkBoxKeepsTheWishInTheStore();
};

void tst_LinkDialog::initTestCase()
{
    Resources::init();
    App::instance()->language(); // settles the language before the tests set their own
}

void tst_LinkDialog::cleanup()
{
    App::instance()->setLanguage("en");
    App::instance()->settings()->remove("Tarsel/ShowTutoralDialog");
}

void tst_LinkDialog::pictureAndQuestion()
{
    LinkDialog dialog(nullptr);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Tarsel Information"));
    QLabel *picture = nullptr;
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->text().contains("(Watch the Video Introduction)"))
            picture = label;
    }
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(360, 177));
    QCOMPARE(picture->styleSheet(), QString("QLabel{background-image: url(:/pix/nemo2.jpg);}"));
    QCOMPARE(QImage(":/pix/nemo2.jpg").size(), QSize(360, 177));

    QPushButton *yes = buttonWithText(&dialog, "&Yes");
    QPushButton *no = buttonWithText(&dialog, "&No");
    QVERIFY(yes && no);
    QVERIFY(yes->x() < no->x());
    auto *box = dialog.findChild<QCheckBox *>();
    QVERIFY(box);
    QVERIFY(!box->isChecked());
    QVERIFY(picture->y() < yes->y());
    QVERIFY(yes->y() < box->y());
}

// Every line of the question lies inside the picture, under the application style sheet's label padding.
void tst_LinkDialog::questionFitsThePicture()
{
    LinkDialog dialog(nullptr);
    QLabel *picture = showStyled(dialog);
    QVERIFY(picture);
    const QList<PaintedText> lines = paintedTexts(*picture);
    QVERIFY(!paintedBox(lines, "(Watch the Video Introduction)").isNull());
    for (const PaintedText &line : lines) {
        QVERIFY2(QRectF(picture->rect()).contains(line.box),
                 qPrintable(QString("\"%1\" spans %2 to %3 of %4 pixels")
                                .arg(line.text).arg(line.box.left()).arg(line.box.right()).arg(picture->width())));
    }
}

void tst_LinkDialog::questionFitsThePictureAtRatioTwo()
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("this run is the scaled one");
    const ScaledRun run = runScaled({"questionFitsThePicture"}, "2");
    QVERIFY2(run.passed, qPrintable(run.output));
}

// Each line of the question, in the label's text colour, has at least the contrast of 4.5 to 1 that body text
// needs against the mean of the picture behind it.
void tst_LinkDialog::questionStandsOutFromThePicture()
{
    LinkDialog dialog(nullptr);
    QLabel *picture = showStyled(dialog);
    QVERIFY(picture);
    const QImage background = QImage(":/pix/nemo2.jpg").convertToFormat(QImage::Format_RGB32);
    const QColor text = picture->palette().color(QPalette::WindowText);
    const QList<PaintedText> lines = paintedTexts(*picture);
    QVERIFY(!lines.isEmpty());
    for (const PaintedText &line : lines) {
        const QRect box = line.box.toAlignedRect() & background.rect();
        double red = 0, green = 0, blue = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb p = background.pixel(x, y);
                red += qRed(p);
                green += qGreen(p);
                blue += qBlue(p);
            }
        }
        const double n = double(box.width()) * box.height() * 255;
        const double contrast = contrastRatio(text, QColor::fromRgbF(red / n, green / n, blue / n));
        QVERIFY2(contrast >= 4.5, qPrintable(QString("\"%1\": %2 to 1").arg(line.text).arg(contrast)));
    }
}

void tst_LinkDialog::answers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("yes, german: the page in the language's folder")
        << "&Yes" << "de" << int(QDialog::Accepted) << QStringList{"https://www.borlune.com/de/tutorial/tutorial.htm"};
    QTest::newRow("yes, english: the page below the root")
        << "&Yes" << "en" << int(QDialog::Accepted) << QStringList{"https://www.borlune.com/tutorial/tutorial.htm"};
    QTest::newRow("no") << "&No" << "de" << int(QDialog::Rejected) << QStringList();
    QTest::newRow("escape") << "Escape" << "de" << int(QDialog::Rejected) << QStringList();
}

void tst_LinkDialog::answers()
{
    QFETCH(QString, answer);
    QFETCH(QString, language);
    QFETCH(int, result);
    QFETCH(QStringList, links);
    App::instance()->setLanguage(language);
    LinkCatcher catcher({"http", "https", "mailto"});
    LinkDialog dialog(nullptr);
    QObject context;
    QWidget *answered = nullptr;
    answerNextModal(&context, [&](QWidget *modal) {
        answered = modal;
        if (answer == "Escape") {
            QTest::keyClick(modal, Qt::Key_Escape);
        } else {
            QPushButton *button = buttonWithText(modal, answer);
            QVERIFY2(button && button->isVisible(), qPrintable(answer));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(answered, &dialog);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(catcher.linkTexts(), links);
    // The prompt only stores the check box's state; answering it leaves the key alone.
    QVERIFY(!storedShowKey().isValid());
}

void tst_LinkDialog::checkBoxKeepsTheWishInTheStore()
{
    const auto clickBox = [](bool expectedBefore) {
        LinkDialog dialog(nullptr);
        dialog.show();
        auto *box = dialog.findChild<QCheckBox *>();
        QVERIFY(box);
        QCOMPARE(box->isChecked(), expectedBefore);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->isChecked(), !expectedBefore);
    };
    // A new prompt starts checked from the store, and unchecking it asks for the prompt again.
    for (const bool checkedBefore : {false, true, false}) {
        clickBox(checkedBefore);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(storedShowKey().toString(), QString(checkedBefore ? "true" : "false"));
    }
}

TARSEL_APP_TEST_MAIN(tst_LinkDialog)
#include "tst_LinkDialog.moc"

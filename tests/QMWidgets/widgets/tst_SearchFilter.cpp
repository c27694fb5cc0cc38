#include "HangBound.h"
#include "TestApp.h"

#include "QMWidgets/widgets/SearchFilter.h"
#include "resources/Resources.h"
#include "WidgetPaint.h"

#include <QDialog>
#include <QPainter>
#include <QVBoxLayout>
#include <QPushButton>
#include <QSignalSpy>

using QMWidgets::SearchFilter;

namespace {

QPushButton *clearButton(SearchFilter &field)
{
    return field.findChild<QPushButton *>("SearchFilterDel");
}

QImage paint(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// The magnifier as the field draws it into its right-hand square of side h, and the most opaque point
// of it, which the field's own painting cannot show by chance.
QPoint magnifierPoint(int h, QRgb *colour)
{
    const QImage picture = QPixmap(":/pix/search.png")
                               .scaled(h, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
    QPoint best(-1, -1);
    int alpha = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            // The lens rim: light grey and opaque.
            if (qAlpha(pixel) > alpha && qGray(pixel) > 150) {
                alpha = qAlpha(pixel);
                best = QPoint(x, y);
                *colour = pixel;
            }
        }
    }
    return best;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24;
}

} // namespace

class tst_SearchFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Resources::init(); }
    void clearButtonFollowsText();
    void escapeAndButtonClear_data();
    void escapeAndButtonClear();
    void escapeActsOnlyInTheFocusedField_data();
    void escapeActsOnlyInTheFocusedField();
    void textChangedBeforeFirstShow();
    void magnifierOnlyWhileEmpty();
    void clearButtonShowsAPicture();
};

void tst_SearchFilter::clearButtonFollowsText()
{
    SearchFilter field;
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QCOMPARE(field.objectName(), QString("SearchFilter"));
    QPushButton *button = clearButton(field);
    QVERIFY(button);
    QVERIFY(!button->isVisible());

    QTest::keyClicks(&field, "ab");
    QVERIFY(button->isVisible());
    // The button sits inside the field, at its right end.
    QCOMPARE(button->geometry().right(), field.rect().right());

    QTest::keyClick(&field, Qt::Key_Backspace);
    QVERIFY(button->isVisible());
    QTest::keyClick(&field, Qt::Key_Backspace);
    QVERIFY(!button->isVisible());

    QTest::keyClicks(&field, "c");
    QVERIFY(button->isVisible());
}

void tst_SearchFilter::escapeAndButtonClear_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Escape") << false;
    QTest::newRow("clear button") << true;
}

void tst_SearchFilter::escapeAndButtonClear()
{
    QFETCH(bool, byButton);
    SearchFilter field;
    field.show();
    field.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&field));
    field.setFocus();
    QTest::keyClicks(&field, "needle");
    QSignalSpy changed(&field, &QLineEdit::textChanged);

    if (byButton)
        QTest::mouseClick(clearButton(field), Qt::LeftButton);
    else
        QTest::keyClick(&field, Qt::Key_Escape);

    QCOMPARE(field.text(), QString());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QString());
    QVERIFY(!clearButton(field)->isVisible());
}

void tst_SearchFilter::escapeActsOnlyInTheFocusedField_data()
{
    QTest::addColumn<int>("focused");
    QTest::addColumn<QStringList>("textsAfter");
    QTest::addColumn<bool>("dialogClosed");
    // A window-wide Escape in two fields was ambiguous and cleared neither.
    QTest::newRow("first of two search fields") << 0 << QStringList{ "", "second", "other" } << false;
    QTest::newRow("second of two search fields") << 1 << QStringList{ "first", "", "other" } << false;
    // From another field Escape emptied the search fields and the dialog stayed open.
    QTest::newRow("another field closes the dialog") << 2 << QStringList{ "first", "second", "other" } << true;
}

void tst_SearchFilter::escapeActsOnlyInTheFocusedField()
{
    QFETCH(int, focused);
    QFETCH(QStringList, textsAfter);
    QFETCH(bool, dialogClosed);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    const QList<QLineEdit *> fields = { new SearchFilter, new SearchFilter, new QLineEdit };
    const QStringList texts = { "first", "second", "other" };
    for (int i = 0; i < fields.size(); ++i) {
        layout->addWidget(fields.at(i));
        fields.at(i)->setText(texts.at(i));
    }
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    fields.at(focused)->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(fields.at(focused)->hasFocus(), HangBoundMs);

    QTest::keyClick(fields.at(focused), Qt::Key_Escape);

    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fields.at(i)->text(), textsAfter.at(i));
    QCOMPARE(rejected.count(), dialogClosed ? 1 : 0);
    QCOMPARE(dialog.isVisible(), !dialogClosed);
}

// A field filled and emptied before it is first shown must not show the button over empty text.
void tst_SearchFilter::textChangedBeforeFirstShow()
{
    SearchFilter emptied;
    emptied.setText("x");
    emptied.clear();
    SearchFilter filled;
    filled.setText("x");
    emptied.show();
    filled.show();
    QVERIFY(QTest::qWaitForWindowExposed(&emptied));
    QVERIFY(QTest::qWaitForWindowExposed(&filled));

    QVERIFY(!clearButton(emptied)->isVisible());
    QVERIFY(clearButton(filled)->isVisible());
}

void tst_SearchFilter::magnifierOnlyWhileEmpty()
{
    SearchFilter field;
    field.resize(200, 30);
    QRgb rim = 0;
    const QPoint point = magnifierPoint(field.height(), &rim);
    QVERIFY2(point.x() >= 0, "no magnifier picture");
    const QPoint inField(field.width() - field.height() + point.x(), point.y());

    QVERIFY(near(paint(field).pixel(inField), rim));

    field.setText("x");
    QVERIFY(!near(paint(field).pixel(inField), rim));
}

// The clear button is flat and has neither text nor icon: the style sheet's picture makes it visible.
void tst_SearchFilter::clearButtonShowsAPicture()
{
    SearchFilter field;
    field.setStyleSheet(Resources::styleSheet());
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QTest::keyClicks(&field, "a");
    QPushButton *button = clearButton(field);
    QVERIFY(button->isVisible());
    QVERIFY(showsMoreThanBackground(*button));
}

TARSEL_APP_TEST_MAIN(tst_SearchFilter)
#include "tst_SearchFilter.moc"

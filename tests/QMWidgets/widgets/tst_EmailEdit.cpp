#include "QMWidgets/widgets/EmailEdit.h"
#include "resources/Resources.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using QMWidgets::EmailEdit;

class tst_EmailEdit : public QObject
{
    Q_OBJECT

private slots:
    void newFieldHasItsButtonsDisabled();
    void typedAddresses_data();
    void typedAddresses();
    void setTextEmitsOnceAndWakesTheButtons();
    void buttonsShowWhetherTheyCanSend();
};

void tst_EmailEdit::newFieldHasItsButtonsDisabled()
{
    EmailEdit field(nullptr);
    QCOMPARE(field.text(), QString());
    const struct {
        const char *name;
        const char *toolTip;
    } buttons[] = {{"CardEditButton", "Send an ecard"}, {"EmailEditButton", "Send an email"}};
    for (const auto &expected : buttons) {
        auto *button = field.findChild<QPushButton *>(expected.name);
        QVERIFY2(button, expected.name);
        QCOMPARE(button->toolTip(), QString(expected.toolTip));
        QCOMPARE(button->minimumSize(), QSize(24, 24));
        QCOMPARE(button->maximumSize(), QSize(24, 24));
        QVERIFY(button->isFlat());
        QVERIFY(!button->isEnabled());
    }
}

void tst_EmailEdit::typedAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain address") << "anna@example.com" << true;
    QTest::newRow("dots and plus in the local part, sub-domain") << "anna.berg+js@mail.example.org" << true;
    QTest::newRow("four-letter top-level domain") << "a@b.info" << true;
    QTest::newRow("without the final dot and letters") << "anna@example" << false;
    QTest::newRow("one-letter top-level domain") << "anna@example.c" << false;
    QTest::newRow("no at sign") << "anna.example.com" << false;
    QTest::newRow("empty local part") << "@example.com" << false;
    QTest::newRow("empty domain label") << "anna@.com" << false;
    QTest::newRow("blank inside") << "anna berg@example.com" << false;
    QTest::newRow("two at signs") << "anna@berg@example.com" << false;
    QTest::newRow("trailing blank") << "anna@example.com " << false;
}

void tst_EmailEdit::typedAddresses()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    EmailEdit field(nullptr);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QSignalSpy changed(&field, &EmailEdit::textChanged);
    QSignalSpy email(&field, &EmailEdit::sendEmail);
    QSignalSpy ecard(&field, &EmailEdit::sendECard);
    auto *edit = field.findChild<QLineEdit *>();
    auto *ecardButton = field.findChild<QPushButton *>("CardEditButton");
    auto *emailButton = field.findChild<QPushButton *>("EmailEditButton");
    QVERIFY(edit && ecardButton && emailButton);

    QTest::keyClicks(edit, text);
    QCOMPARE(field.text(), text);
    QCOMPARE(changed.count(), text.size());
    QCOMPARE(changed.last().at(0).toString(), text);
    QCOMPARE(ecardButton->isEnabled(), valid);
    QCOMPARE(emailButton->isEnabled(), valid);

    QTest::mouseClick(emailButton, Qt::LeftButton);
    QTest::mouseClick(ecardButton, Qt::LeftButton);
    const QList<QList<QVariant>> sent = valid ? QList<QList<QVariant>>{{text}} : QList<QList<QVariant>>{};
    QCOMPARE(QList<QList<QVariant>>(email), sent);
    QCOMPARE(QList<QList<QVariant>>(ecard), sent);
}

void tst_EmailEdit::setTextEmitsOnceAndWakesTheButtons()
{
    EmailEdit field(nullptr);
    QSignalSpy changed(&field, &EmailEdit::textChanged);
    auto *emailButton = field.findChild<QPushButton *>("EmailEditButton");
    QVERIFY(emailButton);
    field.setText("anna@example.com");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QString("anna@example.com"));
    QVERIFY(emailButton->isEnabled());
    field.setText("anna@example");
    QCOMPARE(changed.count(), 2);
    QVERIFY(!emailButton->isEnabled());
}

// The buttons are flat and textless: only the style sheet's pictures make them visible, and tell a button that
// can send from one that cannot.
void tst_EmailEdit::buttonsShowWhetherTheyCanSend()
{
    Resources::init();
    EmailEdit field(nullptr);
    field.setStyleSheet(Resources::styleSheet());
    field.resize(300, 30);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));

    const auto looks = [&field](const char *name) {
        auto *button = field.findChild<QPushButton *>(name);
        return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto colourCount = [](const QImage &image) {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        return colours.size();
    };
    for (const char *name : {"CardEditButton", "EmailEditButton"}) {
        field.setText(QStringLiteral("nobody"));
        const QImage disabled = looks(name);
        field.setText(QStringLiteral("somebody@example.com"));
        const QImage enabled = looks(name);
        QVERIFY2(colourCount(disabled) > 2, name);
        QVERIFY2(colourCount(enabled) > 2, name);
        QVERIFY2(enabled != disabled, name);
    }
}

QTEST_MAIN(tst_EmailEdit)
#include "tst_EmailEdit.moc"

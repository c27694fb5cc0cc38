#include "HangBound.h"
#include "QMWidgets/dialogs/UpdateIndicationDialog.h"

#include "resources/Resources.h"

#include <QLabel>
#include <QLayout>
#include <QMovie>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using QMWidgets::UpdateIndicationDialog;

namespace {
QLabel *movieLabelOf(const QDialog &dialog)
{
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->movie())
            return label;
    }
    return nullptr;
}

QMovie *movieOf(const QDialog &dialog)
{
    QLabel *label = movieLabelOf(dialog);
    return label ? label->movie() : nullptr;
}
}

class tst_UpdateIndicationDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Resources::init();
    }

    void framelessDialogWithTextAndAnimation()
    {
        UpdateIndicationDialog dialog;
        dialog.setText(QStringLiteral("Looking for a newer version"));
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog.windowOpacity(), 0.8);
        QCOMPARE(dialog.minimumHeight(), 70);
        QCOMPARE(dialog.layout()->contentsMargins(), QMargins(2, 2, 2, 2));
        QCOMPARE(dialog.layout()->spacing(), 3);
        bool textShown = false;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            textShown = textShown || label->text() == QLatin1String("Looking for a newer version");
        QVERIFY(textShown);
        QMovie *movie = movieOf(dialog);
        QVERIFY(movie);
        QVERIFY2(movie->isValid(), qPrintable(movie->lastErrorString()));
        QCOMPARE(movie->speed(), 300);
        QCOMPARE(movie->state(), QMovie::NotRunning);
    }

    // Each show starts the animation and a full ten seconds; a hide stops both.
    void showStartsTheCountdownAndHideStopsIt()
    {
        UpdateIndicationDialog dialog;
        QMovie *movie = movieOf(dialog);
        auto *timer = dialog.findChild<QTimer *>();
        QVERIFY(timer);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.show();
        QCOMPARE(movie->state(), QMovie::Running);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 10000);
        QVERIFY(!movie->currentPixmap().isNull());
        QCOMPARE(movieLabelOf(dialog)->minimumSize(), movie->currentPixmap().size());
        QCOMPARE(movieLabelOf(dialog)->maximumSize(), movie->currentPixmap().size());
        dialog.hide();
        QCOMPARE(movie->state(), QMovie::NotRunning);
        QVERIFY(!timer->isActive());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() >= 300, HangBoundMs);
        dialog.show();
        QVERIFY(timer->isActive());
        QVERIFY(timer->remainingTime() > 9500);
        QCOMPARE(accepted.count(), 0);
    }

    void timeOutAccepts()
    {
        UpdateIndicationDialog dialog;
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        dialog.slotTimeOut();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.findChild<QTimer *>()->isActive());
    }

    void execReturnsAcceptedAfterTenSeconds()
    {
        UpdateIndicationDialog dialog;
        QSignalSpy timeouts(dialog.findChild<QTimer *>(), &QTimer::timeout);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY2(clock.elapsed() >= 9500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(timeouts.count(), 1);
        QCOMPARE(accepted.count(), 1);
    }

    void movieIsFreedWithTheDialog()
    {
        auto *dialog = new UpdateIndicationDialog;
        dialog->show();
        const QPointer<QMovie> movie = movieOf(*dialog);
        QVERIFY(movie);
        delete dialog;
        QVERIFY(movie.isNull());
    }
};

QTEST_MAIN(tst_UpdateIndicationDialog)
#include "tst_UpdateIndicationDialog.moc"

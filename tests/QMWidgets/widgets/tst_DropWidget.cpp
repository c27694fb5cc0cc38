#include "QMWidgets/widgets/DropWidget.h"

#include "ChildRun.h"
#include "ModalAnswer.h"
#include "PaintedText.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using QMWidgets::DropWidget;

namespace {
// Answers the next file dialog with the given selection, or cancels it when there is none.
void answerDialog(QObject *context, const QStringList &selection)
{
    answerNextModal(context, [selection](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        if (selection.isEmpty()) {
            dialog->reject();
            return;
        }
        if (dialog->fileMode() == QFileDialog::Directory) {
            dialog->setDirectory(QFileInfo(selection.first()).absolutePath());
            dialog->selectFile(QFileInfo(selection.first()).fileName());
        } else {
            dialog->setDirectory(QFileInfo(selection.first()).absolutePath());
            QStringList names;
            for (const QString &path : selection)
                names << '"' + QFileInfo(path).fileName() + '"';
            dialog->selectFile(names.join(' '));
        }
        static_cast<QDialog *>(dialog)->accept();
    });
}
}

class tst_DropWidget : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_files;

    QPushButton *button(DropWidget &widget) { return widget.findChild<QPushButton *>("PushButton"); }

private slots:
    void initTestCase()
    {
        for (const QString &name : {"one.jpg", "two.png", "three.gif"}) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            m_files << file.fileName();
        }
        QVERIFY(QDir(m_dir.path()).mkdir("album"));
    }

    void plainTextIsRefused()
    {
        DropWidget widget;
        QMimeData data;
        data.setText("just text");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        enter.setAccepted(false);
        QApplication::sendEvent(&widget, &enter);
        QVERIFY(!enter.isAccepted());
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(m_files.first())});
        QDragEnterEvent enterFiles(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(&widget, &enterFiles);
        QVERIFY(enterFiles.isAccepted());
    }

    void dropReportsTheFilesInOrder_data()
    {
        QTest::addColumn<bool>("hideAfterUse");
        QTest::newRow("hides") << true;
        QTest::newRow("stays") << false;
    }

    void dropReportsTheFilesInOrder()
    {
        QFETCH(bool, hideAfterUse);
        DropWidget widget;
        widget.setHideAfterUse(hideAfterUse);
        widget.show();
        QSignalSpy dropped(&widget, &DropWidget::dropped);
        QList<QUrl> urls;
        for (int i = m_files.size() - 1; i >= 0; --i)
            urls << QUrl::fromLocalFile(m_files.at(i));
        QMimeData data;
        data.setUrls(urls);
        // A drop reaches only the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&widget, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&widget, &drop);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QList<QUrl>>(), urls);
        QCOMPARE(widget.isVisible(), !hideAfterUse);
    }

    void buttonPicksFiles()
    {
        DropWidget widget;
        widget.show();
        QSignalSpy dropped(&widget, &DropWidget::dropped);
        QObject context;
        answerDialog(&context, m_files.mid(0, 2));
        QTest::mouseClick(button(widget), Qt::LeftButton);
        QCOMPARE(dropped.count(), 1);
        const QList<QUrl> urls = dropped.at(0).at(0).value<QList<QUrl>>();
        QCOMPARE(urls.size(), 2);
        for (const QUrl &url : urls)
            QVERIFY(url.isLocalFile() && m_files.contains(url.toLocalFile()));
        QVERIFY(widget.isHidden());
    }

    void folderModePicksOneFolder()
    {
        DropWidget widget;
        widget.setOpenMode(0);
        widget.setHideAfterUse(false);
        widget.show();
        QSignalSpy dropped(&widget, &DropWidget::dropped);
        QObject context;
        answerDialog(&context, {m_dir.filePath("album")});
        QTest::mouseClick(button(widget), Qt::LeftButton);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QList<QUrl>>(), QList<QUrl>({QUrl::fromLocalFile(m_dir.filePath("album"))}));
    }

    void cancelEmitsNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("files") << 1;
        QTest::newRow("folder") << 0;
    }

    void cancelEmitsNothing()
    {
        QFETCH(int, mode);
        DropWidget widget;
        widget.setOpenMode(mode);
        widget.show();
        QSignalSpy dropped(&widget, &DropWidget::dropped);
        QObject context;
        answerDialog(&context, {});
        QTest::mouseClick(button(widget), Qt::LeftButton);
        QCOMPARE(dropped.count(), 0);
        QVERIFY(widget.isVisible());
    }

    // The folder dialog lay on the stack with the widget as parent: a window deleted while it ran deleted it
    // twice (in a process of its own: that aborts the sanitizer build).
    void folderDialogWhoseWindowGoesGivesNothing()
    {
        if (ranRowInChild())
            return;
        QPointer<QWidget> window = new QWidget;
        auto *widget = new DropWidget(window);
        widget->setOpenMode(0);
        window->show();
        QSignalSpy dropped(widget, &DropWidget::dropped);
        QObject context;
        answerNextModal(&context, [&](QWidget *modal) {
            QVERIFY(qobject_cast<QFileDialog *>(modal));
            delete window;
        });
        button(*widget)->click();
        QVERIFY(window.isNull());
        QCOMPARE(dropped.count(), 0);
    }

    // The widget read its own settings after dropped(), on which an owner may delete it
    // (in a process of its own: freed memory aborts the sanitizer build).
    void ownerMayDeleteItOnDropped()
    {
        if (ranRowInChild())
            return;
        QPointer<DropWidget> widget = new DropWidget;
        widget->show();
        QList<QUrl> urls;
        connect(widget, &DropWidget::dropped, [&](const QList<QUrl> &dropped) {
            delete widget;
            urls = dropped;
        });
        QObject context;
        answerDialog(&context, {m_files.first()});
        button(*widget)->click();
        QVERIFY(widget.isNull());
        QCOMPARE(urls, QList<QUrl>({QUrl::fromLocalFile(m_files.first())}));
    }

    // The picture's dashed frame runs about 12 pixels inside the widget's edge, its tray line a third above
    // the bottom: the caption and the button keep inside the frame and the button below the tray.
    void captionAndButtonKeepInsideTheFrame()
    {
        DropWidget widget;
        widget.setText("Drop a script here");
        widget.setButtonText("Open...");
        widget.resize(300, 200);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        const QRectF inside = QRectF(widget.rect()).adjusted(14, 14, -14, -14);
        const QRectF caption = paintedBox(paintedTexts(widget), "Drop a script");
        QVERIFY2(inside.contains(caption), qPrintable(QString("caption at y %1").arg(caption.y())));
        const QRect open = button(widget)->geometry();
        QVERIFY2(inside.contains(QRectF(open)), qPrintable(QString("button at y %1").arg(open.y())));
        QVERIFY2(open.top() > 150, qPrintable(QString("button at y %1").arg(open.y())));
    }

    void textsAndButton()
    {
        DropWidget widget;
        QCOMPARE(widget.objectName(), QString("DropArea"));
        QVERIFY(widget.acceptDrops());
        QCOMPARE(button(widget)->height(), 32);
        widget.setButtonText("Pick");
        QCOMPARE(button(widget)->text(), QString("Pick"));
        widget.setText("Here");
        QCOMPARE(widget.text(), QString("Here"));
        widget.show();
        widget.hideButton();
        QVERIFY(button(widget)->isHidden());
    }
};

QTEST_MAIN(tst_DropWidget)
#include "tst_DropWidget.moc"

#include "JavaScriptEvaluatorFixtures.h"

#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "scripting/editor/Editor.h"

#include <QTest>
#include <QTextDocument>

namespace EvaluatorTest {

const QString defaultText = QStringLiteral("printout(\"Hello World 1\");\nalert(\"Hello World 2\");");

QMMistlark::Editor *editorOf(JavaScriptEvaluator *window)
{
    return window->findChild<QMMistlark::Editor *>();
}

QString outputOf(JavaScriptEvaluator *window)
{
    QTextDocument output;
    output.setHtml(editorOf(window)->outputHtml());
    return output.toPlainText();
}

void clickItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption) {
            QTest::mouseClick(item, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no tool-bar item \"%1\"").arg(caption)));
}

MUITabBarItem *toolBarItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

} // namespace EvaluatorTest

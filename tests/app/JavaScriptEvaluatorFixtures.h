#pragma once

// What the tests of the script window share: its default text and the ways into its editor and tool bar.

#include <QString>

class JavaScriptEvaluator;
class MUITabBarItem;

namespace QMMistlark {
class Editor;
}

namespace EvaluatorTest {

extern const QString defaultText;

QMMistlark::Editor *editorOf(JavaScriptEvaluator *window);
// The output pane's text without its markup.
QString outputOf(JavaScriptEvaluator *window);
// Clicks the tool-bar item of that caption; fails the test when there is none.
void clickItem(JavaScriptEvaluator *window, const QString &caption);
MUITabBarItem *toolBarItem(JavaScriptEvaluator *window, const QString &caption);

} // namespace EvaluatorTest

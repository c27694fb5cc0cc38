#pragma once

#include <QString>

class QWidget;

namespace QMMistlark { class Editor; }

// The plain text of the output pane below the editor, or below the editor that the window holds.
QString outputText(const QWidget &editorOrWindow);

// Runs the script as the editor's text and gives what the run printed.
QString runScript(QMMistlark::Editor &editor, const QString &script);

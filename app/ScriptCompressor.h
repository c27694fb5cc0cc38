#pragma once

#include <QString>

namespace QMMistlark { class Editor; }

// The script without comments and without the blanks, tabs and line breaks it does not need.
// String and regular-expression literals pass unchanged; the input is never changed.
QString ScriptCompressor(const QString &text);
// The same for the document of an Editor.
QString ScriptCompressor(QMMistlark::Editor *editor);

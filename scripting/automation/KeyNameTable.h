#pragma once

#include <QString>
#include <Qt>

namespace QMMistlark {

// The process-wide table of the key names that shortcut texts are written with ("Ctrl+Shift+F5").
// Names are case-sensitive: "A" is a key, "a" is not.

// Fills the table once; later calls leave it as it is.
void initKeyNameTable();

// The Qt key code of a name, or -1 for a name the table lacks (every name while the table is still empty).
int keyCodeByName(const QString &name);

// "Shift", "Ctrl", "Meta" and "Alt", compared exactly.
bool isModifierName(const QString &name);
// The modifier flag of such a name; no modifier for any other text.
Qt::KeyboardModifiers modifierByName(const QString &name);

} // namespace QMMistlark

#include "scripting/automation/KeyNameTable.h"

#include <QHash>

namespace QMMistlark {

namespace {

struct KeyName
{
    const char *name;
    int key;
};

// Letters are upper case only and punctuation is only what is listed: "a" or "!" in a shortcut text is an unknown key.
const KeyName keyNames[] = {
    {"F1", Qt::Key_F1}, {"F2", Qt::Key_F2}, {"F3", Qt::Key_F3}, {"F4", Qt::Key_F4},
    {"F5", Qt::Key_F5}, {"F6", Qt::Key_F6}, {"F7", Qt::Key_F7}, {"F8", Qt::Key_F8},
    {"F9", Qt::Key_F9}, {"F10", Qt::Key_F10}, {"F11", Qt::Key_F11}, {"F12", Qt::Key_F12},
    {"0", Qt::Key_0}, {"1", Qt::Key_1}, {"2", Qt::Key_2}, {"3", Qt::Key_3}, {"4", Qt::Key_4},
    {"5", Qt::Key_5}, {"6", Qt::Key_6}, {"7", Qt::Key_7}, {"8", Qt::Key_8}, {"9", Qt::Key_9},
    {"A", Qt::Key_A}, {"B", Qt::Key_B}, {"C", Qt::Key_C}, {"D", Qt::Key_D}, {"E", Qt::Key_E},
    {"F", Qt::Key_F}, {"G", Qt::Key_G}, {"H", Qt::Key_H}, {"I", Qt::Key_I}, {"J", Qt::Key_J},
    {"K", Qt::Key_K}, {"L", Qt::Key_L}, {"M", Qt::Key_M}, {"N", Qt::Key_N}, {"O", Qt::Key_O},
    {"P", Qt::Key_P}, {"Q", Qt::Key_Q}, {"R", Qt::Key_R}, {"S", Qt::Key_S}, {"T", Qt::Key_T},
    {"U", Qt::Key_U}, {"V", Qt::Key_V}, {"W", Qt::Key_W}, {"X", Qt::Key_X}, {"Y", Qt::Key_Y},
    {"Z", Qt::Key_Z},
    {" ", Qt::Key_Space}, {"$", Qt::Key_Dollar}, {"%", Qt::Key_Percent}, {"&", Qt::Key_Ampersand},
    {"'", Qt::Key_Apostrophe}, {"*", Qt::Key_Asterisk}, {"+", Qt::Key_Plus}, {",", Qt::Key_Comma},
    {"-", Qt::Key_Minus}, {":", Qt::Key_Colon}, {";", Qt::Key_Semicolon}, {"<", Qt::Key_Less},
    {"=", Qt::Key_Equal}, {">", Qt::Key_Greater}, {"?", Qt::Key_Question}, {"\\", Qt::Key_Backslash},
    {"Pause", Qt::Key_Pause},
    {"Del", Qt::Key_Delete},
    {"Insert", Qt::Key_Insert},
    {"Escape", Qt::Key_Escape},
    {"Tab", Qt::Key_Tab},
    {"Backspace", Qt::Key_Backspace},
    {"Return", Qt::Key_Return},
    {"Enter", Qt::Key_Enter},
    {"CapsLock", Qt::Key_CapsLock},
    {"NumLock", Qt::Key_NumLock},
    {"ScrollLock", Qt::Key_ScrollLock},
    {"Print", Qt::Key_Print},
    {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},
    {"Left", Qt::Key_Left},
    {"Up", Qt::Key_Up},
    {"Right", Qt::Key_Right},
    {"Down", Qt::Key_Down},
    {"PageUp", Qt::Key_PageUp},
    {"PageDown", Qt::Key_PageDown},
    {"Shift", Qt::Key_Shift},
    {"Ctrl", Qt::Key_Control},
    {"Meta", Qt::Key_Meta},
    {"Alt", Qt::Key_Alt},
};

struct ModifierName
{
    const char *name;
    Qt::KeyboardModifier modifier;
};

const ModifierName modifierNames[] = {
    {"Shift", Qt::ShiftModifier},
    {"Ctrl", Qt::ControlModifier},
    {"Meta", Qt::MetaModifier},
    {"Alt", Qt::AltModifier},
};

QHash<QString, int> &keyNameTable()
{
    static QHash<QString, int> table;
    return table;
}

} // namespace

void initKeyNameTable()
{
    QHash<QString, int> &table = keyNameTable();
    if (!table.isEmpty())
        return;
    for (const KeyName &entry : keyNames)
        table.insert(QString::fromLatin1(entry.name), entry.key);
}

int keyCodeByName(const QString &name)
{
    return keyNameTable().value(name, -1);
}

bool isModifierName(const QString &name)
{
    return modifierByName(name) != Qt::NoModifier;
}

Qt::KeyboardModifiers modifierByName(const QString &name)
{
    for (const ModifierName &entry : modifierNames) {
        if (name == QLatin1String(entry.name))
            return entry.modifier;
    }
    return Qt::NoModifier;
}

} // namespace QMMistlark

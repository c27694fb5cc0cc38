#pragma once

#include <QString>

// Removes comments and needless white space from JavaScript after the JSMin rules (template literals
// in backquotes included). Characters outside ASCII are kept as they stand and count as parts of
// names; a leading byte-order mark is dropped. Input that ends inside a comment, literal or regular
// expression ends the output there. Each call works on its own state.
class JavaScriptMinifier
{
public:
    JavaScriptMinifier() = delete;

    static QString minify(const QString &source);
};

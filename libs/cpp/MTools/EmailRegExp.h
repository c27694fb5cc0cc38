#pragma once

#include <QRegExp>

namespace MTools {

// Decides whether a whole text is an e-mail address (test it with exactMatch): a local part of the
// characters the HTML e-mail rule allows, '@', dot-separated non-empty labels, and a last part of
// two or more letters or of one to three digits.
QRegExp emailRegExp();

} // namespace MTools

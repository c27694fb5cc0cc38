#pragma once

#include <QString>
#include <QVariant>

class QLabel;
class QUrl;

// Qt's own loaders read a file that a style sheet or a rich text names with a plain blocking QFile and no
// bound: a named pipe holds the program for good, /proc/self/pagemap or a huge picture swallows memory.
// These checks and loaders let only what the bounded reader reads, within the picture bounds, reach Qt.
namespace MGraphX {

// The most files one style sheet or one text may name, the most bytes they may hold in all, and the most
// pictures a text may show: a check reads each file, and Qt's parser takes time for each picture of a
// paragraph in proportion to the paragraph, so that a check stays short whatever the text. Each file is read
// up to MTools::NamedResourceBound.
constexpr int MaximumNamedFiles = 100;
constexpr qint64 MaximumNamedBytes = 256 * 1024 * 1024;
constexpr int MaximumShownPictures = 1000;
// The most pixels that the pictures of one text decode to in all, each name counted as Qt decodes it: one
// picture of 100 million pixels named by four spellings of its path took Qt 1.9 GB.
constexpr qint64 MaximumShownPixels = 200 * 1000 * 1000;
// The longest length a text may ask for (a margin, a padding, a border, a width or height, an indent, a
// spacing), in pixels, and the largest font: far beyond any page, far below where Qt's layout of a document
// spins for minutes (a margin of 3,000,000 px).
constexpr qreal MaximumTextLength = 100000;
constexpr qreal MaximumFontSize = 2000;

// Empty when every url(...) of the style sheet names something that may be loaded: a resource of the
// program (":/..."), a regular file that the bounded reader reads and whose picture lies within the picture
// bounds (MaximumPicturePixels, judged as the decoder will see it), or nothing at all (no such file, so Qt
// loads nothing). Every file Qt would open counts: the "@2x" to "@9x" files it picks on a screen of a higher
// ratio, and, for a name without such a file, the name with a picture format's suffix appended. Otherwise a
// message a user can read that names the first failing url and says why; also for more than
// MaximumNamedFiles names or MaximumNamedBytes in all, and for a sheet beginning with "file:///", which the
// application would read as the name of a file.
QString styleSheetRefusal(const QString &styleSheet);

// The same for rich text, parsed by Qt's own parser: every resource the text names (img src with its "@2x"
// files, background attributes, background-image in style attributes and <style>, <link rel=stylesheet>,
// @import, and the url()s inside such sheets), the resource of the program also as "qrc:/...". A text is also
// refused for pictures of more than MaximumShownPixels in all, and for a length over MaximumTextLength or a
// font over MaximumFontSize. A text without "<" passes at once (one that Qt::mightBeRichText calls plain may
// still be set as HTML); a text with more than MaximumShownPictures picture tags is refused before it is
// parsed.
QString richTextRefusal(const QString &text);

// The same for Markdown text, which may hold HTML, parsed by Qt's own parser: what it names is judged through
// the bounds as Qt's document asks for it, even while parsing, and never loaded otherwise.
QString markdownRefusal(const QString &markdown);

// For QTextEdit/QTextBrowser::loadResource overrides and QTextDocument subclasses: loads the named resource
// only through the bounded reader and the picture bounds, from the program's own resources, or from a data:
// URL within the picture bounds. Never returns a null value: for a null one Qt loads the path itself (a
// blocking QFile, and for a picture QImage::load). A picture that is refused or missing gives Qt's own
// small placeholder picture, any other refused resource an empty text.
QVariant loadTextResource(int type, const QUrl &name);

// A label cannot be given a loader of its own: after setText with rich or Markdown text (before the label is
// laid out or shown), this hands the label's text document to a loader that answers every resource as
// loadTextResource does, at most MaximumNamedFiles of them (the rest get the placeholder). The loader stays
// with the label: later texts of the label load the same way, as long as the label keeps its document (it
// drops it for plain text without text interaction; call this again after a later rich text then).
void boundLabelResources(QLabel *label);

} // namespace MGraphX

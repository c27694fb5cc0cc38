#include "MGraphX/OutsideResources.h"

#include "MGraphX/PictureReading.h"
#include "MTools/FileReading.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextFormat>
#include <QTextDocument>
#include <QThread>
#include <QUrl>
#include <QVector>

// Qt's own parsers, so that every form Qt accepts is found: escapes, comments, quotes, entities, upper case.
#include <QtCore/private/qdataurl_p.h>
#include <QtGui/private/qcssparser_p.h>

#include <algorithm>

namespace MGraphX {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("MGraphX::OutsideResources", text);
}

// Qt picks a name's "@Nx" file on a screen of ratio N, up to 9.
const int HighestRatio = 9;

// What one check or one load may still spend.
struct Budget
{
    int names = 0;
    qint64 bytes = 0;
    qint64 pixels = 0; // that the pictures decode to
};

// The picture Qt itself shows for one it cannot load.
QImage placeholderImage()
{
    static const QImage picture = [] {
        QImage image(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
        if (image.isNull()) {
            image = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        return image;
    }();
    return picture;
}

// A pixmap on the GUI thread, where Qt draws pixmaps and would convert an image at every paint; an image
// elsewhere, where no pixmap may live.
QVariant imageResource(const QImage &image)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        && QThread::currentThread() == QCoreApplication::instance()->thread())
        return QPixmap::fromImage(image);
    return image;
}

// A value Qt takes as loaded: for a null one it would open the file itself.
QVariant standIn(int type)
{
    if (type == QTextDocument::ImageResource)
        return imageResource(placeholderImage());
    if (type == QTextDocument::StyleSheetResource)
        return QString(QLatin1String(""));
    return QByteArray("");
}

bool isProgramResource(const QString &path)
{
    return path.startsWith(QLatin1Char(':'));
}

// The name Qt looks for on a screen of the ratio (as qt_findAtNxFile forms it): "a@2x.png" for "a.png".
QString atRatioName(const QString &name, int ratio)
{
    int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = name.size();
    else if (dot >= 2 && name.at(dot - 1) == QLatin1Char('9') && name.at(dot - 2) == QLatin1Char('.'))
        dot -= 2; // a nine-patch picture, "a.9.png", becomes "a@2x.9.png"
    return QString(name).insert(dot, QStringLiteral("@%1x").arg(ratio));
}

// The files that Qt's picture reader opens for a path: the path itself, or when there is none, the path with
// the suffix of each picture format it reads.
QStringList pictureFiles(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo::exists(path))
        return {path};
    static const QList<QByteArray> suffixes = QImageReader::supportedImageFormats();
    QStringList files;
    for (const QByteArray &suffix : suffixes) {
        const QString file = path + QLatin1Char('.') + QString::fromLatin1(suffix);
        if (QFileInfo::exists(file))
            files << file;
    }
    return files;
}

// Where a name of a rich text leads, as Qt's document and its picture loader follow it.
struct Target
{
    enum Kind { Nothing, Program, Files, Data } kind = Nothing;
    QString program;   // Program: ":/..."
    QStringList files; // Files: each file Qt may open, in the order it tries them
    QByteArray data;   // Data: the payload of a data: URL
};

Target targetOf(int type, const QUrl &name)
{
    Target target;
    const QString scheme = name.scheme().toLower();
    if (scheme == QLatin1String("data")) {
        QString mimeType;
        if (qDecodeDataUrl(name, mimeType, target.data))
            target.kind = Target::Data;
        return target;
    }
    if (scheme == QLatin1String("qrc")) {
        target.kind = Target::Program;
        target.program = QLatin1Char(':') + name.path();
        return target;
    }
    if (!scheme.isEmpty() && scheme != QLatin1String("file"))
        return target; // Qt's document loads no other scheme
    // The document resolves a relative name against the working folder, as a file URL.
    const QString path = scheme.isEmpty() ? name.path(QUrl::FullyDecoded) : name.toLocalFile();
    if (isProgramResource(path)) {
        target.kind = Target::Program;
        target.program = path;
        return target;
    }
    if (QFileInfo::exists(path)) {
        target.files << path;
    } else if (type == QTextDocument::ImageResource) {
        // Given nothing, Qt's picture loader reads the name as written, suffixes tried as for any picture.
        target.files = pictureFiles(name.toString());
    }
    target.kind = target.files.isEmpty() ? Target::Nothing : Target::Files;
    return target;
}

// Judges a picture on its own and with those before it; empty when it may be decoded.
QString pictureRefusal(const QByteArray &bytes, Budget *budget)
{
    QString error;
    qint64 pixels = 0;
    if (judgePictureSize(bytes, MaximumPicturePixels, &error, nullptr, &pixels) == PictureSize::Refused)
        return error;
    budget->pixels += pixels;
    if (budget->pixels > MaximumShownPixels)
        return translated("The pictures named take more than %1 million pixels in all")
            .arg(MaximumShownPixels / 1000000);
    return QString();
}

// Reads a file that Qt would open and judges it; empty when it may be loaded, with its bytes in *bytes.
QString fileRefusal(const QString &path, int type, Budget *budget, QByteArray *bytes)
{
    QString error;
    if (!MTools::readFileBounded(path, MTools::NamedResourceBound, bytes, &error))
        return error;
    budget->bytes += bytes->size();
    if (budget->bytes > MaximumNamedBytes)
        return translated("The files named hold more than %1 in all").arg(MTools::describeBound(MaximumNamedBytes));
    if (type == QTextDocument::ImageResource)
        return pictureRefusal(*bytes, budget);
    return QString();
}

// The value of loaded bytes for the document; a picture only when decode is set, Qt's placeholder otherwise.
QVariant valueOf(int type, const QByteArray &bytes, bool decode, QString *why)
{
    if (type == QTextDocument::ImageResource) {
        QImage image;
        QString error;
        if (judgePictureSize(bytes, MaximumPicturePixels, &error) == PictureSize::Refused)
            *why = error;
        else if (decode)
            decodePictureBounded(bytes, MaximumPicturePixels, &image);
        return imageResource(image.isNull() ? placeholderImage() : image);
    }
    if (bytes.isEmpty())
        return standIn(type);
    if (type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(bytes); // as Qt reads a sheet it loads itself
    return bytes;
}

QVariant programResource(int type, const QString &path)
{
    if (type == QTextDocument::ImageResource) {
        const QImage image(path);
        return imageResource(image.isNull() ? placeholderImage() : image);
    }
    // A resource compiled into the program (":/..."), never a file a user or a script names.
    QFile file(path);
    QString unused;
    return valueOf(type, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), false, &unused);
}

QString refusalNaming(const QString &name, const QString &file, const QString &reason)
{
    if (file == name || file.isEmpty())
        return translated("\"%1\" cannot be loaded: %2").arg(name, reason);
    return translated("\"%1\" cannot be loaded, as Qt would read %2 for it: %3").arg(name, file, reason);
}

// Loads what the name leads to. With judgeAll, every file Qt may open is judged (a check); otherwise the
// first that may be loaded is taken. *why receives the first refusal.
QVariant load(int type, const QUrl &name, bool decode, bool judgeAll, Budget *budget, QString *why)
{
    const Target target = targetOf(type, name);
    switch (target.kind) {
    case Target::Nothing:
        return standIn(type);
    case Target::Program:
        return programResource(type, target.program);
    case Target::Data: {
        QString reason;
        if (type == QTextDocument::ImageResource)
            reason = pictureRefusal(target.data, budget);
        const QVariant value = reason.isEmpty() ? valueOf(type, target.data, decode, &reason) : standIn(type);
        if (!reason.isEmpty())
            *why = translated("A picture in the text cannot be loaded: %1").arg(reason);
        return value;
    }
    case Target::Files:
        break;
    }
    QVariant value;
    for (const QString &file : target.files) {
        QByteArray bytes;
        QString reason = fileRefusal(file, type, budget, &bytes);
        if (reason.isEmpty() && !value.isValid())
            value = valueOf(type, bytes, decode, &reason);
        if (!reason.isEmpty() && why->isEmpty())
            *why = refusalNaming(name.toString(), file == name.toString() ? QString() : file, reason);
        if (value.isValid() && !judgeAll)
            break;
    }
    return value.isValid() ? value : standIn(type);
}

QUrl urlOfImageName(const QString &name)
{
    // As Qt's picture handler names a resource of the program.
    return QUrl(isProgramResource(name) ? QStringLiteral("qrc") + name : name);
}

// The names of the pictures a document shows, as Qt's parser made them.
QStringList imageNames(const QTextDocument &document)
{
    QStringList names;
    QSet<QString> seen;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (!seen.contains(name)) {
                seen.insert(name);
                names << name;
            }
        }
    }
    return names;
}

// The format properties that hold a length in pixels, and those that hold a font's size.
const int LengthProperties[] = {
    QTextFormat::BlockTopMargin, QTextFormat::BlockBottomMargin, QTextFormat::BlockLeftMargin,
    QTextFormat::BlockRightMargin, QTextFormat::TextIndent, QTextFormat::LineHeight,
    QTextFormat::BlockTrailingHorizontalRulerWidth, QTextFormat::FrameBorder, QTextFormat::FrameMargin,
    QTextFormat::FramePadding, QTextFormat::FrameWidth, QTextFormat::FrameHeight, QTextFormat::FrameTopMargin,
    QTextFormat::FrameBottomMargin, QTextFormat::FrameLeftMargin, QTextFormat::FrameRightMargin,
    QTextFormat::TableCellSpacing, QTextFormat::TableCellPadding, QTextFormat::TableColumnWidthConstraints,
    QTextFormat::TableCellTopPadding, QTextFormat::TableCellBottomPadding, QTextFormat::TableCellLeftPadding,
    QTextFormat::TableCellRightPadding, QTextFormat::ImageWidth,
    QTextFormat::ImageHeight, QTextFormat::FontLetterSpacing, QTextFormat::FontWordSpacing,
    QTextFormat::BlockIndent, QTextFormat::ListIndent};
const int FontSizeProperties[] = {QTextFormat::FontPointSize, QTextFormat::FontPixelSize};

// The largest magnitude among the lengths a property holds.
qreal largestLength(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QTextLength>())
        return qAbs(value.value<QTextLength>().rawValue());
    if (value.userType() == qMetaTypeId<QVector<QTextLength>>()) {
        qreal largest = 0;
        for (const QTextLength &length : value.value<QVector<QTextLength>>())
            largest = qMax(largest, qAbs(length.rawValue()));
        return largest;
    }
    bool isNumber = false;
    const qreal number = value.toReal(&isNumber);
    return isNumber ? qAbs(number) : 0;
}

// Empty while every length and font of the document lies within the bounds. Qt lays out whatever a text asks
// for: a margin of millions of pixels keeps the layout spinning for minutes on the GUI thread.
QString geometryRefusal(const QTextDocument &document)
{
    const QVector<QTextFormat> formats = document.allFormats();
    for (const QTextFormat &format : formats) {
        for (const int property : LengthProperties) {
            if (!format.hasProperty(property))
                continue;
            // An indent counts in steps of the document's indent width.
            const qreal scale = property == QTextFormat::BlockIndent || property == QTextFormat::ListIndent
                                    ? qMax<qreal>(1, document.indentWidth())
                                    : 1;
            const qreal length = largestLength(format.property(property)) * scale;
            if (!(length <= MaximumTextLength))
                return translated("The text asks for a length of %1 pixels, more than the %2 it may")
                    .arg(length, 0, 'g', 12)
                    .arg(MaximumTextLength, 0, 'f', 0);
        }
        for (const int property : FontSizeProperties) {
            if (!format.hasProperty(property))
                continue;
            const qreal size = largestLength(format.property(property));
            if (!(size <= MaximumFontSize))
                return translated("The text asks for a font of %1, larger than the %2 it may")
                    .arg(size, 0, 'g', 12)
                    .arg(MaximumFontSize, 0, 'f', 0);
        }
    }
    return QString();
}

// Takes a text as a document would and records the first refusal among the resources it asks for, each
// judged through the bounds. The pictures are asked for as Qt's picture handler asks, for every ratio whose
// file exists; nothing is laid out, so a picture whose size the text gives is asked for too.
class ResourceProbe : public QTextDocument
{
public:
    // Markdown may hold HTML, whose resources Qt's document asks for as it parses: they come here too.
    void take(const QString &text, bool markdown = false)
    {
        if (markdown)
            setMarkdown(text);
        else
            setHtml(text);
        note(geometryRefusal(*this));
        const QStringList names = imageNames(*this);
        for (const QString &name : names) {
            resource(ImageResource, urlOfImageName(name));
            for (int ratio = 2; ratio <= HighestRatio; ++ratio) {
                const QString atRatio = atRatioName(name, ratio);
                if (QFileInfo::exists(atRatio))
                    resource(ImageResource, urlOfImageName(atRatio));
            }
        }
    }

    QString refusal() const { return m_refusal; }

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        QVariant value;
        if (++m_budget.names > MaximumNamedFiles) {
            note(translated("The text names more than %1 files").arg(MaximumNamedFiles));
            value = standIn(type);
        } else {
            QString why;
            value = load(type, name, false, true, &m_budget, &why);
            note(why);
        }
        // Kept, so that each name is judged once.
        addResource(type, name, value);
        return value;
    }

private:
    void note(const QString &refusal)
    {
        if (m_refusal.isEmpty())
            m_refusal = refusal;
    }

    Budget m_budget;
    QString m_refusal;
};

// Answers the resources of a label's document, which asks its parent for them before it would open a file.
class LabelResourceLoader : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QVariant loadResource(int type, const QUrl &name)
    {
        if (++m_budget.names > MaximumNamedFiles)
            return standIn(type);
        QString unused;
        return load(type, name, true, false, &m_budget, &unused);
    }

private:
    Budget m_budget;
};

// The picture tags of a text, or more: Qt reads a tag only where "<" and its name stand, in any case.
int pictureTagCount(const QString &text)
{
    int count = 0;
    for (int at = text.indexOf(QLatin1String("<img"), 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(QLatin1String("<img"), at + 4, Qt::CaseInsensitive))
        ++count;
    return count;
}

void collectUrls(const QVector<QCss::Declaration> &declarations, QStringList *urls)
{
    for (const QCss::Declaration &declaration : declarations) {
        for (const QCss::Value &value : qAsConst(declaration.d->values)) {
            if (value.type == QCss::Value::Uri)
                *urls << value.variant.toString();
        }
    }
}

// Every url() of the sheet as Qt's style sheet parser reads it, in the order they stand in the text. A
// widget's sheet that does not parse is read again as the declarations of a rule for every widget, as Qt does.
QStringList styleSheetUrls(const QString &styleSheet)
{
    QCss::Parser parser(styleSheet);
    QCss::StyleSheet sheet;
    if (!parser.parse(&sheet)) {
        parser.init(QStringLiteral("* {") + styleSheet + QLatin1Char('}'));
        parser.parse(&sheet);
    }
    QStringList urls;
    for (const QCss::StyleRule &rule : qAsConst(sheet.styleRules))
        collectUrls(rule.declarations, &urls);
    for (const QCss::StyleRule &rule : qAsConst(sheet.nameIndex))
        collectUrls(rule.declarations, &urls);
    for (const QCss::StyleRule &rule : qAsConst(sheet.idIndex))
        collectUrls(rule.declarations, &urls);
    for (const QCss::MediaRule &media : qAsConst(sheet.mediaRules)) {
        for (const QCss::StyleRule &rule : media.styleRules)
            collectUrls(rule.declarations, &urls);
    }
    for (const QCss::PageRule &page : qAsConst(sheet.pageRules))
        collectUrls(page.declarations, &urls);
    urls.removeDuplicates();
    return urls;
}

// The index keeps no order: the text's own order names the first failing url.
void sortByPlace(QStringList *urls, const QString &styleSheet)
{
    QHash<QString, uint> places;
    for (const QString &url : qAsConst(*urls))
        places.insert(url, uint(styleSheet.indexOf(url)));
    std::stable_sort(urls->begin(), urls->end(),
                     [&places](const QString &a, const QString &b) { return places.value(a) < places.value(b); });
}

} // namespace

QString styleSheetRefusal(const QString &styleSheet)
{
    // The application reads a sheet that begins so from the file it names, with a plain QFile.
    if (styleSheet.startsWith(QLatin1String("file:///")))
        return translated("A style sheet that begins with file:/// names a file, which would be read without a "
                          "bound: open the file and apply its text instead");
    QStringList urls = styleSheetUrls(styleSheet);
    if (urls.size() > MaximumNamedFiles)
        return translated("The style sheet names more than %1 files").arg(MaximumNamedFiles);
    sortByPlace(&urls, styleSheet);
    Budget budget;
    for (const QString &url : urls) {
        if (isProgramResource(url))
            continue;
        // Qt reads the file of the screen's ratio where there is one, and the name with a suffix where the
        // name itself is missing.
        QStringList files;
        for (int ratio = HighestRatio; ratio >= 2; --ratio) {
            const QString atRatio = atRatioName(url, ratio);
            if (QFileInfo::exists(atRatio))
                files << atRatio;
        }
        files << pictureFiles(url);
        for (const QString &file : qAsConst(files)) {
            QByteArray bytes;
            const QString reason = fileRefusal(file, QTextDocument::ImageResource, &budget, &bytes);
            if (reason.isEmpty())
                continue;
            if (file == url)
                return translated("url(%1) cannot be used: %2").arg(url, reason);
            return translated("url(%1) cannot be used, as Qt would read %2 for it: %3").arg(url, file, reason);
        }
    }
    return QString();
}

QString richTextRefusal(const QString &text)
{
    if (!text.contains(QLatin1Char('<')))
        return QString();
    if (pictureTagCount(text) > MaximumShownPictures)
        return translated("The text shows more than %1 pictures").arg(MaximumShownPictures);
    ResourceProbe probe;
    probe.take(text);
    return probe.refusal();
}

QString markdownRefusal(const QString &markdown)
{
    if (pictureTagCount(markdown) > MaximumShownPictures)
        return translated("The text shows more than %1 pictures").arg(MaximumShownPictures);
    ResourceProbe probe;
    probe.take(markdown, true);
    return probe.refusal();
}

QVariant loadTextResource(int type, const QUrl &name)
{
    Budget budget;
    QString unused;
    return load(type, name, true, false, &budget, &unused);
}

void boundLabelResources(QLabel *label)
{
    QTextDocument *document = label ? label->findChild<QTextDocument *>() : nullptr;
    if (!document || qobject_cast<LabelResourceLoader *>(document->parent()))
        return;
    // The document now asks the loader; it goes with the loader, which goes with the label.
    document->setParent(new LabelResourceLoader(label));
}

} // namespace MGraphX

#include "OutsideResources.moc"

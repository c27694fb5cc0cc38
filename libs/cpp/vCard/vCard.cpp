#include "vCard/vCard.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

vCard::vCard(const QList<vCardProperty> &properties) : m_properties(properties)
{
}

vCard::~vCard() = default;

void vCard::addProperty(const vCardProperty &property)
{
    m_properties << property;
}

void vCard::addProperties(const QList<vCardProperty> &properties)
{
    m_properties << properties;
}

bool vCard::contains(const vCardProperty &property) const
{
    return m_properties.contains(property);
}

int vCard::indexOf(const QString &name, const QList<vCardParam> &params, bool strict) const
{
    for (int i = 0; i < m_properties.size(); ++i) {
        const vCardProperty &candidate = m_properties.at(i);
        if (candidate.name() != name)
            continue;
        const QList<vCardParam> own = candidate.params();
        const bool matches = strict ? own == params
                                    : std::all_of(params.cbegin(), params.cend(),
                                                  [&own](const vCardParam &param) { return own.contains(param); });
        if (matches)
            return i;
    }
    return -1;
}

bool vCard::contains(const QString &name, const QList<vCardParam> &params, bool strict) const
{
    return indexOf(name, params, strict) >= 0;
}

vCardProperty vCard::property(const QString &name, const QList<vCardParam> &params, bool strict) const
{
    const int index = indexOf(name, params, strict);
    return index >= 0 ? m_properties.at(index) : vCardProperty();
}

bool vCard::isValid() const
{
    return !m_properties.isEmpty()
           && std::all_of(m_properties.cbegin(), m_properties.cend(),
                          [](const vCardProperty &property) { return property.isValid(); });
}

QByteArray vCard::toByteArray(int version) const
{
    if (version != Version21 && version != Version30)
        return QByteArray();
    QStringList lines;
    lines << QStringLiteral("BEGIN:VCARD");
    const vCardProperty versionLine(QStringLiteral("VERSION"),
                                    QStringList{version == Version21 ? QStringLiteral("2.1") : QStringLiteral("3.0")});
    lines << QString::fromUtf8(versionLine.toByteArray(version).constData());
    for (const vCardProperty &property : m_properties)
        lines << QString::fromUtf8(property.toByteArray(version).constData());
    lines << QStringLiteral("END:VCARD");
    return lines.join(QLatin1Char('\n')).toUtf8();
}

bool vCard::saveToFile(const QString &path, QString *error) const
{
    return MTools::writeReadableFileSafely(path, toByteArray(Version21), MTools::SmallFileBound, error);
}

namespace {

bool endsWithSoftBreak(const QByteArray &line)
{
    QByteArray trimmed = line;
    if (trimmed.endsWith('\r'))
        trimmed.chop(1);
    if (!trimmed.endsWith('='))
        return false;
    // Only a quoted-printable value has soft line breaks: look at the parameters before the first ":".
    const int colon = trimmed.indexOf(':');
    return colon > 0 && vCardAsciiUpper(trimmed.left(colon)).contains("QUOTED-PRINTABLE");
}

bool isFrameLine(const QByteArray &line)
{
    const QByteArray simplified = line.simplified();
    return simplified == "END:VCARD" || simplified == "BEGIN:VCARD";
}

void chopCarriageReturn(QByteArray &line)
{
    if (line.endsWith('\r'))
        line.chop(1);
}

// Joins folded lines (a line that begins with a space or tab continues the one before) and the soft
// line breaks of quoted-printable values. PHOTO continuations are trimmed, which removes the indentation
// of base64 data.
QList<QByteArray> unfoldedLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    bool softBreak = false;
    for (const QByteArray &raw : text.split('\n')) {
        const bool folded = !lines.isEmpty() && (raw.startsWith(' ') || raw.startsWith('\t'));
        // A stray "=" at the end of a card's last value must not swallow the line that ends the card.
        if (softBreak && !isFrameLine(raw)) {
            QByteArray &previous = lines.last();
            chopCarriageReturn(previous);
            previous.chop(1); // the "="
            previous += raw;
        } else if (folded) {
            QByteArray &previous = lines.last();
            chopCarriageReturn(previous);
            previous += previous.startsWith("PHOTO") ? raw.simplified() : raw.mid(1);
        } else {
            lines << raw;
        }
        softBreak = endsWithSoftBreak(lines.last());
    }
    return lines;
}

// "item1.TEL" becomes "TEL"; a group that is not a number stays part of the name.
QByteArray withoutItemGroup(const QByteArray &line)
{
    if (!line.startsWith("item") && !line.startsWith("ITEM"))
        return line;
    const int dot = line.indexOf('.');
    if (dot < 0)
        return line;
    bool isNumber = false;
    QLocale::c().toInt(QString::fromUtf8(line.mid(4, dot - 4)), &isNumber);
    return isNumber ? line.mid(dot + 1) : line;
}

int versionOf(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        if (line.startsWith("VERSION:"))
            return line.mid(8) == "2.1" ? vCard::Version21 : vCard::Version30;
    }
    return vCard::Version30;
}

} // namespace

QList<vCard> vCard::fromByteArray(const QByteArray &text)
{
    QList<vCard> cards;
    bool inside = false;
    QList<QByteArray> cardLines;
    for (const QByteArray &unfolded : unfoldedLines(text)) {
        const QByteArray line = withoutItemGroup(unfolded).simplified();
        if (line == "BEGIN:VCARD") {
            // A new card inside an unfinished one: the unfinished one is dropped.
            inside = true;
            cardLines.clear();
        } else if (line == "END:VCARD") {
            if (inside) {
                vCard card;
                const int version = versionOf(cardLines);
                for (const QByteArray &cardLine : cardLines)
                    card.addProperties(vCardProperty::fromByteArray(cardLine, version));
                cards << card;
            }
            inside = false;
            cardLines.clear();
        } else if (inside) {
            cardLines << line;
        }
    }
    return cards;
}

QList<vCard> vCard::fromFile(const QString &path, QString *error)
{
    QByteArray bytes;
    if (!MTools::readFileBounded(path, MTools::SmallFileBound, &bytes, error))
        return {};
    // Cards written on Windows end their lines in CR LF: every CR goes, as a text-mode read drops them.
    bytes.replace("\r", "");
    return fromByteArray(bytes);
}

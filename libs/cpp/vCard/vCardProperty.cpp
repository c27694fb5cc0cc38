#include "vCard/vCardProperty.h"

#include "vCard/vCard.h"

#include <QDateTime>
#include <QLocale>
#include <QTextCodec>

#include <algorithm>

namespace {

const char quotedPrintable[] = "QUOTED-PRINTABLE";

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

QString escaped(const QString &value, int version)
{
    QString text;
    text.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(';')) {
            text += QLatin1Char('\\');
            text += c;
        } else if (version == vCard::Version30 && c == QLatin1Char(',')) {
            text += QLatin1String("\\,");
        } else if (version == vCard::Version30 && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (c == QLatin1Char('\r') && value.midRef(i + 1, 1) == QLatin1String("\n"))
                ++i;
            text += QLatin1String("\\n");
        } else {
            text += c;
        }
    }
    return text;
}

bool isQuotedPrintable(const vCardParam &param)
{
    return (param.group() == vCardParam::Encoding || param.group() == vCardParam::Undefined)
           && param.value().compare(QLatin1String(quotedPrintable), Qt::CaseInsensitive) == 0;
}

QByteArray encodeQuotedPrintable(const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(bytes.size() * 3);
    for (int i = 0; i < bytes.size(); ++i) {
        const quint8 byte = quint8(bytes.at(i));
        // A space stays itself except at the end, where readers would trim it.
        const bool plain = (byte > 32 && byte < 127 && byte != '=') || (byte == ' ' && i + 1 < bytes.size());
        if (plain) {
            text += char(byte);
        } else {
            text += '=';
            text += hex[byte >> 4];
            text += hex[byte & 0xF];
        }
    }
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Soft line breaks were joined while unfolding; an "=" not followed by two hex digits stays as it is.
QByteArray decodeQuotedPrintable(const QByteArray &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == '=' && i + 2 < text.size() && hexValue(text.at(i + 1)) >= 0
            && hexValue(text.at(i + 2)) >= 0) {
            bytes += char(hexValue(text.at(i + 1)) * 16 + hexValue(text.at(i + 2)));
            i += 2;
        } else {
            bytes += text.at(i);
        }
    }
    return bytes;
}

// Splits at every ";" that is not escaped and undoes the escapes of the version; other backslashes stay.
QStringList unescapedValues(const QString &text, int version)
{
    QStringList values;
    QString current;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(';')) {
            values << current;
            current.clear();
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text.at(i + 1);
            if (next == QLatin1Char('\\') || next == QLatin1Char(';')) {
                current += next;
                ++i;
                continue;
            }
            if (version != vCard::Version21) {
                if (next == QLatin1Char(',')) {
                    current += next;
                    ++i;
                    continue;
                }
                if (next == QLatin1Char('n') || next == QLatin1Char('N')) {
                    current += QLatin1Char('\n');
                    ++i;
                    continue;
                }
            }
        }
        current += c;
    }
    values << current;
    return values;
}

QString decodeWithCharset(const QByteArray &bytes, const QList<vCardParam> &params)
{
    for (const vCardParam &param : params) {
        if (param.group() != vCardParam::Charset)
            continue;
        if (QTextCodec *codec = QTextCodec::codecForName(param.value().toLatin1()))
            return codec->toUnicode(bytes);
    }
    return QString::fromUtf8(bytes);
}

} // namespace

vCardProperty::vCardProperty(const QString &name, const QStringList &values, const QList<vCardParam> &params)
    : m_name(name), m_values(values), m_params(params)
{
}

vCardProperty::vCardProperty(const QString &name, const QString &value, const QList<vCardParam> &params)
    : m_name(name), m_values(value.split(QLatin1Char(';'))), m_params(params)
{
}

vCardProperty::vCardProperty(const QString &name, const QString &value, const QString &paramText)
    : vCardProperty(name, value, vCardParam::fromByteArray(paramText.toUtf8()))
{
}

vCardProperty::vCardProperty(const QString &name, const QStringList &values, const QString &paramText)
    : vCardProperty(name, values, vCardParam::fromByteArray(paramText.toUtf8()))
{
}

bool vCardProperty::isValid() const
{
    if (m_name.isEmpty() || m_values.isEmpty())
        return false;
    for (const vCardParam &param : m_params) {
        if (!param.isValid())
            return false;
    }
    return true;
}

bool vCardProperty::operator==(const vCardProperty &other) const
{
    return m_name == other.m_name && m_values == other.m_values;
}

QByteArray vCardProperty::toByteArray(int version) const
{
    if (version != vCard::Version21 && version != vCard::Version30)
        return QByteArray();
    QStringList escapedValues;
    bool lineBreak = false;
    for (const QString &value : m_values) {
        escapedValues << escaped(value, version);
        lineBreak = lineBreak || hasLineBreak(value);
    }
    QByteArray valueText = escapedValues.join(QLatin1Char(';')).toUtf8();

    QList<vCardParam> params = m_params;
    bool quoted = std::any_of(params.cbegin(), params.cend(), isQuotedPrintable);
    if (version == vCard::Version21 && lineBreak && !quoted) {
        params << vCardParam(vCardParam::Encoding, QLatin1String(quotedPrintable));
        quoted = true;
    }
    if (quoted)
        valueText = encodeQuotedPrintable(valueText);

    QByteArray line = vCardAsciiUpper(m_name.toUtf8());
    const QByteArray paramText = vCardParam::toByteArray(params, version);
    if (!paramText.isEmpty())
        line += ';' + paramText;
    line += ':';
    line += valueText;
    return line;
}

QList<vCardProperty> vCardProperty::fromByteArray(const QByteArray &text, int version)
{
    QList<vCardProperty> properties;
    const QStringList lines = QString::fromUtf8(text.constData()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line == QLatin1String("BEGIN:VCARD") || line == QLatin1String("END:VCARD"))
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QStringList head = line.left(colon).split(QLatin1Char(';'));
        const QString name = head.first();
        if (name == QLatin1String("VERSION"))
            continue;
        QList<vCardParam> params = vCardParam::fromByteArray(head.mid(1).join(QLatin1Char(';')).toUtf8());
        QString valueText = line.mid(colon + 1);
        if (std::any_of(params.cbegin(), params.cend(), isQuotedPrintable)) {
            valueText = decodeWithCharset(decodeQuotedPrintable(valueText.toUtf8()), params);
            // Decoded once: the encoding and its character set no longer describe the value.
            params.erase(std::remove_if(params.begin(), params.end(),
                                        [](const vCardParam &param) {
                                            return isQuotedPrintable(param) || param.group() == vCardParam::Charset;
                                        }),
                         params.end());
        }
        properties << vCardProperty(name, unescapedValues(valueText, version), params);
    }
    return properties;
}

vCardProperty vCardProperty::createBirthday(const QDate &date, const QList<vCardParam> &params)
{
    return vCardProperty(QStringLiteral("BDAY"), date.toString(QStringLiteral("yyyy-MM-dd")), params);
}

vCardProperty vCardProperty::createBirthday(const QDateTime &dateTime, const QList<vCardParam> &params)
{
    return vCardProperty(QStringLiteral("BDAY"), dateTime.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss'Z'")),
                         params);
}

vCardProperty vCardProperty::createOrganization(const QString &organization, const QStringList &units,
                                                const QList<vCardParam> &params)
{
    return vCardProperty(QStringLiteral("ORG"), QStringList{organization} + units, params);
}

vCardProperty vCardProperty::createName(const QString &given, const QString &family, const QString &additional,
                                        const QString &prefixes, const QString &suffixes,
                                        const QList<vCardParam> &params)
{
    return vCardProperty(QStringLiteral("N"), QStringList{family, given, additional, prefixes, suffixes}, params);
}

vCardProperty vCardProperty::createAddress(const QString &street, const QString &locality, const QString &region,
                                           const QString &postalCode, const QString &country,
                                           const QString &postOfficeBox, const QString &extendedAddress,
                                           const QList<vCardParam> &params)
{
    return vCardProperty(QStringLiteral("ADR"),
                         QStringList{postOfficeBox, extendedAddress, street, locality, region, postalCode, country},
                         params);
}

vCardProperty vCardProperty::createGeographicPosition(double latitude, double longitude,
                                                      const QList<vCardParam> &params)
{
    const auto shortest = [](double number) {
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    };
    return vCardProperty(QStringLiteral("GEO"), QStringList{shortest(latitude), shortest(longitude)}, params);
}

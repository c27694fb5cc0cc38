#include "vCard/vCardParam.h"

#include "vCard/vCard.h"

#include <QStringList>

QByteArray vCardAsciiUpper(QByteArray text)
{
    for (char &byte : text) {
        if (byte >= 'a' && byte <= 'z')
            byte = char(byte - 'a' + 'A');
    }
    return text;
}

vCardParam::vCardParam(int group, const QString &value) : m_group(group), m_value(value)
{
}

bool vCardParam::operator==(const vCardParam &other) const
{
    return m_group == other.m_group && m_value == other.m_value;
}

namespace {

QString named(const char *name, const QString &value)
{
    return QStringLiteral("%1=%2").arg(QLatin1String(name), value);
}

// The 2.1 form, which 3.0 also uses inside its grouped list.
QString version21Text(const vCardParam &param)
{
    switch (param.group()) {
    case vCardParam::Encoding: return named("ENCODING", param.value());
    case vCardParam::Charset: return named("CHARSET", param.value());
    default: return param.value();
    }
}

bool knownVersion(int version)
{
    return version == vCard::Version21 || version == vCard::Version30;
}

} // namespace

QByteArray vCardParam::toByteArray(int version) const
{
    if (!knownVersion(version))
        return QByteArray();
    const QString text = version == vCard::Version30 && m_group == Type ? named("TYPE", m_value)
                                                                        : version21Text(*this);
    return vCardAsciiUpper(text.toUtf8());
}

QByteArray vCardParam::toByteArray(const QList<vCardParam> &params, int version)
{
    if (!knownVersion(version))
        return QByteArray();
    QStringList texts;
    if (version == vCard::Version21) {
        for (const vCardParam &param : params)
            texts << version21Text(param);
    } else {
        QStringList types, undefined, charsets, encodings;
        for (const vCardParam &param : params) {
            switch (param.group()) {
            case Type: types << param.value(); break;
            case Encoding: encodings << version21Text(param); break;
            case Charset: charsets << version21Text(param); break;
            default: undefined << version21Text(param); break;
            }
        }
        if (!types.isEmpty())
            texts << named("TYPE", types.join(QLatin1Char(',')));
        texts << undefined << charsets << encodings;
    }
    return vCardAsciiUpper(texts.join(QLatin1Char(';')).toUtf8());
}

QList<vCardParam> vCardParam::fromByteArray(const QByteArray &text)
{
    QList<vCardParam> params;
    const QStringList parts = QString::fromUtf8(text.constData()).simplified().split(QLatin1Char(';'));
    for (const QString &part : parts) {
        if (part.isEmpty())
            continue;
        if (part.startsWith(QLatin1String("TYPE"), Qt::CaseInsensitive)) {
            for (const QString &type : part.mid(5).split(QLatin1Char(',')))
                params << vCardParam(Type, type);
        } else if (part.startsWith(QLatin1String("ENCODING"), Qt::CaseInsensitive)) {
            params << vCardParam(Encoding, part.mid(9));
        } else if (part.startsWith(QLatin1String("CHARSET"), Qt::CaseInsensitive)) {
            params << vCardParam(Charset, part.mid(8));
        } else {
            params << vCardParam(Undefined, part);
        }
    }
    return params;
}

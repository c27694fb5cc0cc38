#pragma once

#include "vCard/vCardParam.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QDate;
class QDateTime;

// One content line of a card: a name, its value components and its parameters.
class vCardProperty
{
public:
    vCardProperty() = default;
    vCardProperty(const QString &name, const QStringList &values, const QList<vCardParam> &params = {});
    // The value is split at every ";" into the components, empty ones kept.
    vCardProperty(const QString &name, const QString &value, const QList<vCardParam> &params = {});
    // The parameters as the text between a name and its ":".
    vCardProperty(const QString &name, const QString &value, const QString &paramText);
    vCardProperty(const QString &name, const QStringList &values, const QString &paramText);

    QString name() const { return m_name; }
    QStringList values() const { return m_values; }
    QList<vCardParam> params() const { return m_params; }
    QString value() const { return m_values.join(QLatin1Char(';')); }
    bool isValid() const;

    // Name and values; the parameters take no part.
    bool operator==(const vCardProperty &other) const;
    bool operator!=(const vCardProperty &other) const { return !(*this == other); }

    // One content line without its line end. Values are escaped for the version: 3.0 escapes backslash,
    // ";", "," and line breaks; 2.1 escapes backslash and ";" and writes a value with a line break
    // QUOTED-PRINTABLE, adding that ENCODING parameter.
    QByteArray toByteArray(int version) const;
    // The properties of one or more content lines; escapes are undone by the rules of `version`.
    static QList<vCardProperty> fromByteArray(const QByteArray &text, int version = 1);

    static vCardProperty createBirthday(const QDate &date, const QList<vCardParam> &params = {});
    // Written in UTC.
    static vCardProperty createBirthday(const QDateTime &dateTime, const QList<vCardParam> &params = {});
    static vCardProperty createOrganization(const QString &organization, const QStringList &units = {},
                                            const QList<vCardParam> &params = {});
    static vCardProperty createName(const QString &given, const QString &family, const QString &additional = {},
                                    const QString &prefixes = {}, const QString &suffixes = {},
                                    const QList<vCardParam> &params = {});
    static vCardProperty createAddress(const QString &street, const QString &locality, const QString &region,
                                       const QString &postalCode, const QString &country,
                                       const QString &postOfficeBox = {}, const QString &extendedAddress = {},
                                       const QList<vCardParam> &params = {});
    // Each number as the shortest text that reads back as the same double.
    static vCardProperty createGeographicPosition(double latitude, double longitude,
                                                  const QList<vCardParam> &params = {});

private:
    QString m_name;
    QStringList m_values;
    QList<vCardParam> m_params;
};

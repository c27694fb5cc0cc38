#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One parameter of a vCard property: a group and a value, written by version as the table in toByteArray says.
class vCardParam
{
public:
    enum Group { Type = 0, Encoding = 1, Charset = 2, Undefined = 3 };

    vCardParam() = default;
    vCardParam(int group, const QString &value);

    int group() const { return m_group; }
    QString value() const { return m_value; }
    bool isValid() const { return !m_value.isEmpty(); }

    bool operator==(const vCardParam &other) const;
    bool operator!=(const vCardParam &other) const { return !(*this == other); }

    // Version 2.1 writes a type bare, 3.0 as "TYPE=": upper-cased (ASCII letters only); empty for other versions.
    QByteArray toByteArray(int version) const;
    // 2.1: every parameter in list order; 3.0: one TYPE entry for all types, then the others by group.
    static QByteArray toByteArray(const QList<vCardParam> &params, int version);
    // The text between a property name and its ":", without the leading ";".
    static QList<vCardParam> fromByteArray(const QByteArray &text);

private:
    int m_group = Undefined;
    QString m_value;
};

// ASCII letters upper-cased, every other byte (UTF-8 sequences included) kept.
QByteArray vCardAsciiUpper(QByteArray text);

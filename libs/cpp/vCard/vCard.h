#pragma once

#include "vCard/vCardParam.h"
#include "vCard/vCardProperty.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An electronic business card: properties in insertion order, written and read as vCard 2.1 or 3.0 text.
class vCard
{
public:
    enum Version { Version21 = 0, Version30 = 1 };

    vCard() = default;
    explicit vCard(const QList<vCardProperty> &properties);
    vCard(const vCard &other) = default;
    vCard &operator=(const vCard &other) = default;
    virtual ~vCard();

    QList<vCardProperty> properties() const { return m_properties; }
    int count() const { return m_properties.size(); }
    void addProperty(const vCardProperty &property);
    void addProperties(const QList<vCardProperty> &properties);

    // By name and values.
    bool contains(const vCardProperty &property) const;
    // The first property of that name (case-sensitive) whose parameters are exactly `params` (strict), or
    // that carries every one of `params` (not strict).
    bool contains(const QString &name, const QList<vCardParam> &params = {}, bool strict = false) const;
    vCardProperty property(const QString &name, const QList<vCardParam> &params = {}, bool strict = false) const;

    bool isValid() const;

    // The card text, lines joined by LF without a final line end; empty for an unknown version.
    QByteArray toByteArray(int version = Version21) const;
    // Writes the 2.1 text; false when the file cannot be opened or written completely, or the text is larger
    // than MTools::SmallFileBound, which fromFile refuses. A failure leaves an existing file as it was, and error
    // receives the reason, which is also logged.
    bool saveToFile(const QString &path, QString *error = nullptr) const;

    // Every complete card of the text, in order. Folded lines are unfolded, quoted-printable values decoded
    // and escapes undone by each card's VERSION (3.0 rules when it has none).
    static QList<vCard> fromByteArray(const QByteArray &text);
    // The cards of a file; none, with error receiving the reason, when it cannot be read or is larger than
    // MTools::SmallFileBound.
    static QList<vCard> fromFile(const QString &path, QString *error = nullptr);

private:
    int indexOf(const QString &name, const QList<vCardParam> &params, bool strict) const;

    QList<vCardProperty> m_properties;
};

#include "scripting/automation/WidgetIds.h"

#include "scripting/automation/ClassAliases.h"
#include "scripting/automation/ToolTipStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMultiMap>
#include <QSet>
#include <QStringList>
#include <QWidget>

namespace QMMistlark {

namespace {

// The letter d is missing: identifiers that scripts already use were made with exactly this alphabet.
static const char Base61Digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcefghijklmnopqrstuvwxyz";
constexpr int Base61 = sizeof(Base61Digits) - 1;
static_assert(Base61 == 61, "the digit alphabet must hold 61 characters");

const QString EditorClassMarker = QStringLiteral("QMMistlark::");
const QString UnresolvedPrefix = QStringLiteral("?/");

QMap<QWidget *, QString> GeneratedIds;

// A top-level widget of the driven application rather than of the script editor.
bool isForeignTopLevel(const QWidget *topLevel)
{
    return topLevel && !QString::fromLatin1(topLevel->metaObject()->className()).contains(EditorClassMarker);
}

QString withoutSlashes(QString text)
{
    return text.replace(QLatin1Char('/'), QLatin1Char('_'));
}

// The text a button or label shows, or an empty text for any other object.
QString shownText(const QObject *object)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(object)) {
        if (!button->text().isEmpty())
            return button->text();
    }
    if (const auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    return QString();
}

QString idPart(QObject *object, const QMap<QWidget *, QString> &tips)
{
    if (auto *widget = qobject_cast<QWidget *>(object)) {
        const QString tip = tips.value(widget);
        if (!tip.isEmpty())
            return QStringLiteral("T#") + withoutSlashes(tip);
    }
    if (!object->objectName().isEmpty())
        return QStringLiteral("O#") + withoutSlashes(object->objectName());
    const QString text = shownText(object);
    if (!text.isEmpty())
        return QStringLiteral("L#") + withoutSlashes(text);
    return classAlias(QString::fromLatin1(object->metaObject()->className()));
}

QStringList idParts(const QString &id)
{
    return id.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString lastIdPart(const QString &id)
{
    const QStringList parts = idParts(id);
    return parts.isEmpty() ? QString() : parts.last();
}

int ancestorCount(const QObject *object)
{
    int count = 0;
    for (const QObject *parent = object->parent(); parent; parent = parent->parent())
        ++count;
    return count;
}

void generateAllIds()
{
    const QMap<QWidget *, QString> &tips = originalToolTips();
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (!isForeignTopLevel(topLevel))
            continue;
        recordWidgetText(GeneratedIds, topLevel, widgetPathId(topLevel, tips));
        const QList<QWidget *> descendants = topLevel->findChildren<QWidget *>();
        for (QWidget *descendant : descendants)
            recordWidgetText(GeneratedIds, descendant, widgetPathId(descendant, tips));
    }
    resolveDuplicateIds(GeneratedIds);
    applyAnchorRules(GeneratedIds);
    applyToolTips(GeneratedIds);
}

} // namespace

void generateIDs()
{
    if (GeneratedIds.isEmpty())
        generateAllIds();
    keepLiveWidgets(GeneratedIds);
    applyToolTips(GeneratedIds);
    // Anchors found now show at the next call.
    applyAnchorRules(GeneratedIds);
}

const QMap<QWidget *, QString> &generatedIds()
{
    return GeneratedIds;
}

QList<QWidget *> labelSubtree(QWidget *root)
{
    if (!root)
        return {};
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    // The tool tips shown now may be identifiers from an earlier call: they become "T#" parts.
    QMap<QWidget *, QString> tips;
    for (QWidget *widget : widgets)
        tips.insert(widget, widget->toolTip());
    QMap<QWidget *, QString> ids;
    for (QWidget *widget : widgets)
        ids.insert(widget, widgetPathId(widget, tips));
    resolveDuplicateIds(ids);
    for (QWidget *widget : widgets)
        widget->setToolTip(QStringLiteral("Vis/") + ids.value(widget));
    return widgets;
}

QString widgetPathId(QWidget *w, const QMap<QWidget *, QString> &tips)
{
    QString id;
    for (QObject *object = w; object; object = object->parent())
        id.prepend(QLatin1Char('/') + idPart(object, tips));
    return id;
}

void resolveDuplicateIds(QMap<QWidget *, QString> &ids)
{
    QMultiMap<QString, QWidget *> widgetsById;
    for (auto it = ids.cbegin(); it != ids.cend(); ++it)
        widgetsById.insert(it.value(), it.key());

    QSet<QWidget *> handled;
    for (auto entry = widgetsById.cbegin(); entry != widgetsById.cend(); ++entry) {
        if (handled.contains(entry.value()))
            continue;
        const QString last = lastIdPart(entry.key());
        if (last.isEmpty()) {
            handled.insert(entry.value());
            continue;
        }

        // A plain suffix test, as identifiers that scripts already use were made: a "MyQPushButton"
        // joins the group of "QPushButton".
        QList<QWidget *> group;
        QList<QStringList> groupParts;
        for (auto it = ids.cbegin(); it != ids.cend(); ++it) {
            if (it.value().endsWith(last)) {
                QStringList parts = idParts(it.value());
                group.append(it.key());
                groupParts.append(parts);
            }
        }

        if (group.size() == 1) {
            ids[group.first()] = last;
        } else {
            int shortest = groupParts.first().size();
            for (const QStringList &parts : qAsConst(groupParts))
                shortest = qMin(shortest, parts.size());
            // The top-level window's part (index 0) and the last part never tell the members apart.
            int distinguishing = -1;
            for (int index = 1; index <= shortest - 2 && distinguishing < 0; ++index) {
                QSet<QString> seen;
                for (const QStringList &parts : qAsConst(groupParts))
                    seen.insert(parts.at(index));
                if (seen.size() == group.size())
                    distinguishing = index;
            }
            for (int member = 0; member < group.size(); ++member) {
                ids[group.at(member)] = distinguishing >= 0
                    ? groupParts.at(member).at(distinguishing) + QLatin1Char('/') + last
                    : UnresolvedPrefix + last;
            }
        }
        for (QWidget *member : qAsConst(group))
            handled.insert(member);
    }
}

void applyAnchorRules(QMap<QWidget *, QString> &ids)
{
    // This program drives no application with panels of its own, so there are no per-application anchor
    // rules: every unresolved identifier is anchored by its widget's fingerprint.
    for (auto it = ids.begin(); it != ids.end(); ++it) {
        if (!it.value().startsWith(UnresolvedPrefix) || !it.key())
            continue;
        const QString anchor = toBase61(latin1Sum(widgetFingerprint(it.key())));
        it.value().replace(UnresolvedPrefix, anchorPrefix(anchor));
    }
}

QString widgetFingerprint(QWidget *w)
{
    if (!w)
        return QString();
    QString text;
    QList<QLayout *> layouts;
    for (QObject *object = w; object; object = object->parent()) {
        text += object->objectName();
        text += QString::fromLatin1(object->metaObject()->className());
        text += shownText(object);
        if (auto *widget = qobject_cast<QWidget *>(object)) {
            if (widget->layout())
                layouts.append(widget->layout());
        }
    }
    for (QLayout *layout : qAsConst(layouts)) {
        const int index = layout->indexOf(w);
        if (index >= 0)
            text += QString::fromLatin1(layout->metaObject()->className()) + QString::number(index);
    }
    const int length = text.size();
    const int childObjects = w->findChildren<QObject *>().size();
    text += QString::number(length) + QLatin1Char('$') + QString::number(ancestorCount(w));
    if (childObjects != 0)
        text += QLatin1Char('_') + QString::number(childObjects);
    return text;
}

int latin1Sum(const QString &s)
{
    qint64 sum = 0;
    for (const QChar c : s) {
        const ushort code = c.unicode();
        if (code < 0x80)
            sum += code;
        else if (code <= 0xFF)
            sum += code - 256; // the code as a signed 8-bit value
    }
    return static_cast<int>(sum);
}

QString toBase61(int n)
{
    if (n == 0)
        return QStringLiteral("0");
    // Widened first: the magnitude of the smallest int does not fit an int.
    qint64 value = n;
    const bool negative = value < 0;
    if (negative)
        value = -value;
    QString digits;
    while (value > 0) {
        digits.prepend(QLatin1Char(Base61Digits[value % Base61]));
        value /= Base61;
    }
    return negative ? QLatin1Char('-') + digits : digits;
}

QString anchorPrefix(const QString &s)
{
    return QStringLiteral("F#") + withoutSlashes(s) + QLatin1Char('/');
}

void applyToolTips(const QMap<QWidget *, QString> &m)
{
    for (auto it = m.cbegin(); it != m.cend(); ++it) {
        if (it.key())
            it.key()->setToolTip(it.value());
    }
}

void keepLiveWidgets(QMap<QWidget *, QString> &m)
{
    QMap<QWidget *, QString> live;
    auto keep = [&m, &live](QWidget *widget) {
        const auto it = m.constFind(widget);
        if (it != m.cend())
            live.insert(widget, it.value());
    };
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (!isForeignTopLevel(topLevel))
            continue;
        keep(topLevel);
        const QList<QWidget *> descendants = topLevel->findChildren<QWidget *>();
        for (QWidget *descendant : descendants)
            keep(descendant);
    }
    m = live;
}

void recordWidgetText(QMap<QWidget *, QString> &map, QWidget *w, const QString &text)
{
    if (!w)
        return;
    if (!map.contains(w)) {
        // The widget is the context too, so the connection goes with it; the key is only compared.
        QObject::connect(w, &QObject::destroyed, w, [&map, w] { map.remove(w); });
    }
    map.insert(w, text);
}

} // namespace QMMistlark

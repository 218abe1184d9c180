#pragma once

// A window read through QAccessible as a screen reader reads it: an object
// that is off screen or invisible is skipped with everything in it; a control
// whose name is only its value (a pick-list) is spoken by its label.

#include <QAccessible>
#include <QMetaEnum>
#include <QStringList>

namespace screenreader
{

inline QString spokenName(QAccessibleInterface *iface)
{
    const QString name = iface->text(QAccessible::Name);
    if (name == iface->text(QAccessible::Value))
        for (const auto &[label, relation] : iface->relations(QAccessible::Label))
            return label->text(QAccessible::Name);
    return name;
}

// One line per object heard: its role and what it is called.
inline QStringList heard(QAccessibleInterface *iface)
{
    const QAccessible::State state = iface->state();
    if (state.invisible || state.offscreen)
        return {};
    QStringList lines{
        QStringLiteral("%1 \"%2\"")
            .arg(QLatin1String(QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role())), spokenName(iface))};
    if (iface->role() != QAccessible::ComboBox)
        for (int i = 0; i < iface->childCount(); ++i)
            lines += heard(iface->child(i));
    return lines;
}

inline QStringList heard(QObject *window)
{
    return heard(QAccessible::queryAccessibleInterface(window));
}

// Runs an object's press action, as assistive technology does.
inline void press(QObject *object)
{
    QAccessible::queryAccessibleInterface(object)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
}

} // namespace screenreader

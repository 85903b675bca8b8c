#pragma once
// The stored design of a control: named, typed values as a form loader hands them over.
// Names are compared without regard to case. A write whose value equals the default
// stores nothing, so a bag holds only what differs from the defaults.
#include "platform/components/Export.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace pv
{

class PV_COMPONENTS_EXPORT PropertyBag
{
public:
    // The stored value, or defaultValue when the name is not in the bag.
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;
    // Stores value under name, unless it equals defaultValue (then any stored value is removed).
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});
    // Stores value unconditionally (for properties always written, and for form loaders).
    void set(const QString &name, const QVariant &value);

    bool contains(const QString &name) const;
    void remove(const QString &name);
    void clear() { m_items.clear(); }
    int size() const { return int(m_items.size()); }
    // Names in the order they were first written.
    QStringList names() const;
    // The stored names no ReadProperty asked for yet: a form loader's unknown properties.
    QStringList unreadNames() const;

private:
    struct Item {
        QString name;
        QVariant value;
        mutable bool read = false;
    };
    int indexOf(const QString &name) const;
    std::vector<Item> m_items;
};

// A design's yes/no value: a bool, a number (non-zero is yes) or "true"/"false" in any
// case; nothing for anything else, so that the control keeps what it has.
PV_COMPONENTS_EXPORT std::optional<bool> designFlag(const QVariant &value);

} // namespace pv

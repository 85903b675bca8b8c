#include "platform/components/ClassRegistry.h"

#include "platform/components/Twips.h"

#include <QWidget>

namespace pv
{

ClassRegistry &ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

int ClassRegistry::indexOf(const QString &className) const
{
    for (int i = 0; i < int(m_entries.size()); ++i)
        if (m_entries[size_t(i)].name.compare(className, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ClassRegistry::registerClass(const QString &className, ControlFactory factory)
{
    if (indexOf(className) >= 0 || !factory)
        return false;
    m_entries.push_back({className, std::move(factory)});
    return true;
}

bool ClassRegistry::unregisterClass(const QString &className)
{
    const int i = indexOf(className);
    if (i < 0)
        return false;
    m_entries.erase(m_entries.begin() + i);
    return true;
}

bool ClassRegistry::isRegistered(const QString &className) const
{
    return indexOf(className) >= 0;
}

QWidget *ClassRegistry::create(const QString &className, QWidget *parent, const PropertyBag &design) const
{
    const int i = indexOf(className);
    return i < 0 ? nullptr : m_entries[size_t(i)].factory(parent, design);
}

ControlClass::ControlClass(QString className, ControlFactory factory)
    : m_name(std::move(className)), m_factory(std::move(factory))
{
    registerClass();
}

int ControlClass::registerClass()
{
    auto &registry = ClassRegistry::instance();
    if (!registry.isRegistered(m_name))
        registry.registerClass(m_name, m_factory);
    return registry.isRegistered(m_name) ? 0 : 1;
}

int ControlClass::unregisterClass()
{
    ClassRegistry::instance().unregisterClass(m_name);
    return 0;
}

bool ControlClass::isRegistered() const
{
    return ClassRegistry::instance().isRegistered(m_name);
}

void *ControlClass::classObject(const char *className)
{
    if (className && m_name.compare(QString::fromLatin1(className), Qt::CaseInsensitive) == 0)
        return &m_factory;
    return nullptr;
}

void moveToDesign(QWidget *control, const PropertyBag &design)
{
    bool okL = false, okT = false;
    const int left = design.ReadProperty(QStringLiteral("Left")).toInt(&okL);
    const int top = design.ReadProperty(QStringLiteral("Top")).toInt(&okT);
    if (okL || okT)
        control->move(okL ? twipsToPixels(left) : control->x(), okT ? twipsToPixels(top) : control->y());
}

} // namespace pv

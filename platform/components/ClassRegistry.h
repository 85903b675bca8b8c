#pragma once
// In-process registry of control classes, so that a form loader can create a control
// from its class name ("BrennavikBtn.BvButton") and a bag of design properties.
#include "platform/components/Export.h"
#include "platform/components/PropertyBag.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace pv
{

using ControlFactory = std::function<QWidget *(QWidget *parent, const PropertyBag &design)>;

class PV_COMPONENTS_EXPORT ClassRegistry
{
public:
    static ClassRegistry &instance();

    // False when the class name is already registered (the first registration stays).
    bool registerClass(const QString &className, ControlFactory factory);
    bool unregisterClass(const QString &className);
    bool isRegistered(const QString &className) const;

    // nullptr when the class is not registered.
    QWidget *create(const QString &className, QWidget *parent, const PropertyBag &design = {}) const;

private:
    ClassRegistry() = default;
    struct Entry {
        QString name;
        ControlFactory factory;
    };
    int indexOf(const QString &className) const;
    std::vector<Entry> m_entries;
};

// One control library's class, for its self-registration and entry points: registered
// when constructed (at the library's load) and again on request.
class PV_COMPONENTS_EXPORT ControlClass
{
public:
    ControlClass(QString className, ControlFactory factory);

    // 0 once the class is registered, 1 when it cannot be.
    int registerClass();
    int unregisterClass();
    bool isRegistered() const;
    // The factory when className names this class (any case), else nullptr.
    void *classObject(const char *className);

private:
    QString m_name;
    ControlFactory m_factory;
};

// Moves a new control to the design's "Left" and "Top" (twips), each when given.
PV_COMPONENTS_EXPORT void moveToDesign(QWidget *control, const PropertyBag &design);

} // namespace pv

// The self-registration entry points every control library exports, as a component
// library does. They return 0 (success) or a non-zero error code.
#define PV_DECLARE_COMPONENT_ENTRY_POINTS()                                                                  \
    extern "C" Q_DECL_EXPORT int DllRegisterServer();                                                        \
    extern "C" Q_DECL_EXPORT int DllUnregisterServer();                                                      \
    extern "C" Q_DECL_EXPORT int DllCanUnloadNow();                                                          \
    extern "C" Q_DECL_EXPORT void *DllGetClassObject(const char *className);

// The four entry points of a library of one control class (a pv::ControlClass object):
// registration through the object; the library may go (0) only while none of its
// controls lives (liveInstances, an expression giving their number), else 1.
#define PV_DEFINE_COMPONENT_ENTRY_POINTS(controlClass, liveInstances)                                        \
    PV_DECLARE_COMPONENT_ENTRY_POINTS()                                                                      \
    extern "C" int DllRegisterServer()                                                                       \
    {                                                                                                        \
        return (controlClass).registerClass();                                                               \
    }                                                                                                        \
    extern "C" int DllUnregisterServer()                                                                     \
    {                                                                                                        \
        return (controlClass).unregisterClass();                                                             \
    }                                                                                                        \
    extern "C" int DllCanUnloadNow()                                                                         \
    {                                                                                                        \
        return (liveInstances) == 0 ? 0 : 1;                                                                 \
    }                                                                                                        \
    extern "C" void *DllGetClassObject(const char *className)                                                \
    {                                                                                                        \
        return (controlClass).classObject(className);                                                        \
    }

#pragma once
// The button learns from two windows what its host does not tell it: its own (the
// pointer has left, the theme changed) and its form's (activated or deactivated). Each
// hooked window gets an event filter of its own that turns the Qt events into the
// message numbers the button's handler knows. Filters come off independently, so the
// hooks of several buttons stacked on one form can be released in any order.

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class BvButton;

namespace BrennavikBtn
{

enum WindowMessage : int {
    WM_ACTIVATE = 0x0006,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_NCACTIVATE = 0x0086,
    WM_MOUSELEAVE = 0x02A3,
    WM_THEMECHANGED = 0x031A,
};

enum HookWhen : int { MSG_AFTER = 1, MSG_BEFORE = 2 };
constexpr int ALL_MESSAGES = -1;

class WindowHook
{
public:
    // (before, handled, return value, window, message, wParam, lParam)
    using Handler = std::function<void(bool, bool &, qintptr &, qintptr &, int &, qintptr &, qintptr &)>;

    explicit WindowHook(Handler handler);
    ~WindowHook();

    // Returns the record index; a freed record is reused.
    int HookWindow(QObject *window);
    void HookAddMessage(QObject *window, int message, int when);
    void HookRemoveMessage(QObject *window, int message, int when);
    void UnhookWindow(QObject *window);
    void UnhookAll();
    bool isHooked(QObject *window) const;
    int hookedCount() const;

private:
    class Filter;
    struct Record {
        QPointer<QObject> window;
        std::unique_ptr<Filter> filter;
        QList<int> before, after;
    };
    Record *find(QObject *window);
    const Record *find(QObject *window) const;
    void dispatch(Record &r, QObject *window, int message, qintptr wParam);

    Handler m_handler;
    std::vector<Record> m_records;
};

// Platform probes. This desktop has no visual-styles library, so themes are never
// active and the theme style falls back to the Windows XP look.
bool IsLibraryPresent(const QString &name);
bool IsThemeLibraryPresent();
bool IsThemeActive();

} // namespace BrennavikBtn

#include "controls/button/BvWindowHook.h"

#include <QEvent>
#include <QLibrary>

namespace BrennavikBtn
{

// One filter per hooked window; the event goes on to the window untouched.
class WindowHook::Filter : public QObject
{
public:
    Filter(WindowHook *hook, QObject *window) : m_hook(hook), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != m_window)
            return false;
        Record *r = m_hook->find(m_window);
        if (!r)
            return false;
        switch (e->type()) {
        case QEvent::WindowActivate:
            m_hook->dispatch(*r, watched, WM_ACTIVATE, 1);
            if ((r = m_hook->find(m_window)))
                m_hook->dispatch(*r, watched, WM_NCACTIVATE, 1);
            break;
        case QEvent::WindowDeactivate:
            m_hook->dispatch(*r, watched, WM_ACTIVATE, 0);
            if ((r = m_hook->find(m_window)))
                m_hook->dispatch(*r, watched, WM_NCACTIVATE, 0);
            break;
        case QEvent::Leave:
            m_hook->dispatch(*r, watched, WM_MOUSELEAVE, 0);
            break;
        case QEvent::ThemeChange:
        case QEvent::StyleChange:
            m_hook->dispatch(*r, watched, WM_THEMECHANGED, 0);
            break;
        case QEvent::ApplicationPaletteChange:
            m_hook->dispatch(*r, watched, WM_SYSCOLORCHANGE, 0);
            break;
        default:
            break;
        }
        return false;
    }

private:
    WindowHook *m_hook;
    QObject *m_window;
};

WindowHook::WindowHook(Handler handler) : m_handler(std::move(handler)) {}

WindowHook::~WindowHook()
{
    UnhookAll();
}

WindowHook::Record *WindowHook::find(QObject *window)
{
    for (auto &r : m_records)
        if (r.window && r.window == window)
            return &r;
    return nullptr;
}

const WindowHook::Record *WindowHook::find(QObject *window) const
{
    for (const auto &r : m_records)
        if (r.window && r.window == window)
            return &r;
    return nullptr;
}

int WindowHook::HookWindow(QObject *window)
{
    if (!window)
        return -1;
    size_t i = 0;
    while (i < m_records.size() && m_records[i].window)
        ++i;
    if (i == m_records.size())
        m_records.emplace_back();
    Record &r = m_records[i];
    r.window = window;
    r.filter = std::make_unique<Filter>(this, window);
    r.before.clear();
    r.after.clear();
    window->installEventFilter(r.filter.get());
    return int(i);
}

void WindowHook::HookAddMessage(QObject *window, int message, int when)
{
    Record *r = find(window);
    if (!r)
        return;
    if ((when & MSG_BEFORE) && !r->before.contains(message))
        r->before << message;
    if ((when & MSG_AFTER) && !r->after.contains(message))
        r->after << message;
}

void WindowHook::HookRemoveMessage(QObject *window, int message, int when)
{
    Record *r = find(window);
    if (!r)
        return;
    if (when & MSG_BEFORE)
        r->before.removeAll(message);
    if (when & MSG_AFTER)
        r->after.removeAll(message);
}

void WindowHook::UnhookWindow(QObject *window)
{
    Record *r = find(window);
    if (!r)
        return;
    if (r->window)
        r->window->removeEventFilter(r->filter.get());
    r->filter.reset();
    r->window = nullptr;
    r->before.clear();
    r->after.clear();
}

void WindowHook::UnhookAll()
{
    for (size_t i = m_records.size(); i-- > 0;) {
        Record &r = m_records[i];
        if (r.window)
            r.window->removeEventFilter(r.filter.get());
        r.filter.reset();
        r.window = nullptr;
        r.before.clear();
        r.after.clear();
    }
}

bool WindowHook::isHooked(QObject *window) const
{
    return find(window) != nullptr;
}

int WindowHook::hookedCount() const
{
    int n = 0;
    for (const auto &r : m_records)
        n += r.window ? 1 : 0;
    return n;
}

// A filter sees the event before the window handles it; the button only listens and
// never consumes, so the window's own handling is the same either way.
void WindowHook::dispatch(Record &r, QObject *window, int message, qintptr wParam)
{
    const bool before = r.before.contains(message) || r.before.contains(ALL_MESSAGES);
    const bool after = r.after.contains(message) || r.after.contains(ALL_MESSAGES);
    if (!before && !after)
        return;
    bool handled = false;
    qintptr ret = 0;
    qintptr hwnd = qintptr(window);
    int msg = message;
    qintptr w = wParam;
    qintptr l = 0;
    if (before)
        m_handler(true, handled, ret, hwnd, msg, w, l);
    if (after)
        m_handler(false, handled, ret, hwnd, msg, w, l);
}

bool IsLibraryPresent(const QString &name)
{
    QLibrary lib(name);
    const bool ok = lib.load();
    if (ok)
        lib.unload();
    return ok;
}

bool IsThemeLibraryPresent()
{
    static const bool present = IsLibraryPresent(QStringLiteral("uxtheme.dll"));
    return present;
}

bool IsThemeActive()
{
    // Even where a library of that name loads, nothing here reports an application as
    // themed the way the Windows visual-styles engine does.
    return false;
}

} // namespace BrennavikBtn

#include "platform/forms/Events.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

namespace pv
{

namespace
{

enum class Hooked { GotFocus, LostFocus, Click, DblClick };

class EventHook : public QObject
{
public:
    EventHook(QWidget *w, Hooked what, EventHandler handler)
        : QObject(w), m_widget(w), m_what(what), m_handler(std::move(handler))
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && happened(event))
            m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    // The window (or a popup over it) took the focus away or gave it back: the control
    // keeps its place in the window.
    static bool windowSwitch(const QEvent *event)
    {
        const auto reason = static_cast<const QFocusEvent *>(event)->reason();
        return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    }

    bool happened(const QEvent *event)
    {
        switch (m_what) {
        case Hooked::GotFocus:
        case Hooked::LostFocus:
            if (event->type() == QEvent::FocusOut && windowSwitch(event)) {
                m_away = true;
                return false;
            }
            if (event->type() == QEvent::FocusIn && windowSwitch(event) && m_away) {
                m_away = false;
                return false;
            }
            if (event->type() == QEvent::FocusIn)
                m_away = false;
            return event->type() == (m_what == Hooked::GotFocus ? QEvent::FocusIn : QEvent::FocusOut);
        case Hooked::Click: {
            if (event->type() != QEvent::MouseButtonRelease)
                return false;
            const auto *me = static_cast<const QMouseEvent *>(event);
            // Released elsewhere, the press was taken back.
            return me->button() == Qt::LeftButton && m_widget->rect().contains(me->position().toPoint());
        }
        case Hooked::DblClick:
            return event->type() == QEvent::MouseButtonDblClick &&
                   static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
        }
        return false;
    }

    QWidget *m_widget;
    Hooked m_what;
    EventHandler m_handler;
    bool m_away = false; // the focus went to a message box, a popup or another program
};

void hook(QWidget *control, Hooked what, EventHandler handler)
{
    if (control)
        new EventHook(control, what, std::move(handler)); // owned by the control
}

} // namespace

void onGotFocus(QWidget *control, EventHandler handler)
{
    hook(control, Hooked::GotFocus, std::move(handler));
}
void onLostFocus(QWidget *control, EventHandler handler)
{
    hook(control, Hooked::LostFocus, std::move(handler));
}
void onClick(QWidget *control, EventHandler handler)
{
    hook(control, Hooked::Click, std::move(handler));
}
void onDblClick(QWidget *control, EventHandler handler)
{
    hook(control, Hooked::DblClick, std::move(handler));
}

} // namespace pv

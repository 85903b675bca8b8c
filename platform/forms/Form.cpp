#include "platform/forms/Form.h"
#include "platform/components/Fonts.h"
#include "platform/components/Twips.h"
#include "platform/forms/Keys.h"
#include "platform/forms/Program.h"
#include "platform/forms/TextFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <unordered_map>

namespace pv
{

// The runtime's bookkeeping: default instances, the active window, the modal windows.
class FormRuntime : public QObject
{
public:
    static FormRuntime &get()
    {
        static FormRuntime *rt = new FormRuntime; // lives as long as the process
        return *rt;
    }

    std::unordered_map<std::type_index, Form *> defaults;
    QSet<Form *> forms; // every live Form, default or not
    QPointer<QWidget> active;
    QPointer<Form> pending;                       // activation due once control is back in the event loop
    QList<QPointer<QWidget>> history;             // program windows in the order they were activated
    QList<QPointer<QWidget>> modals;              // innermost last
    QSet<QWidget *> programWindows;               // non-form windows of the program
    QList<QPointer<QWidget>> requests;            // activations asked of the window system, oldest first
    QHash<QWidget *, QPointer<QWidget>> returnTo; // program windows shown by Qt's own exec()
    bool endCheckQueued = false;

    void ensureFilter()
    {
        if (m_filtering || !qApp)
            return;
        qApp->installEventFilter(this);
        // The program ends when its last form is unloaded (or by endProgram), not when
        // Qt sees its last window close: a message box shown with no form open is one.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        m_filtering = true;
    }

    // Asks the window system to activate w. The request is remembered: when its answer
    // comes back after the runtime has moved on, it is not mistaken for the user's switch.
    void requestActivation(QWidget *w)
    {
        if (!w)
            return;
        if (QApplication::activeWindow() != w) {
            requests.removeAll(nullptr);
            requests.append(w);
        }
        w->activateWindow();
    }

    void toFront(QWidget *w)
    {
        // The offscreen platform of the tests has no stacking order.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            w->raise();
        requestActivation(w);
    }

    void windowSystemActivated(QWidget *w)
    {
        const int ours = requests.indexOf(w);
        if (ours >= 0) {
            requests.erase(requests.begin(), requests.begin() + ours + 1);
            // A late answer to an earlier request: the window system is put right.
            if (w != active && active && active->isVisible())
                requestActivation(active);
            return;
        }
        if (w != active && isProgramWindow(w) && w->isVisible() && !blockedByModal(w))
            activate(w, false);
    }

    bool isProgramWindow(QWidget *w) const
    {
        if (!w)
            return false;
        if (auto *f = qobject_cast<Form *>(w))
            return !f->m_unloaded;
        return programWindows.contains(w);
    }

    bool blockedByModal(QWidget *w) const
    {
        for (int i = modals.size() - 1; i >= 0; --i)
            if (modals[i])
                return modals[i] != w;
        return false;
    }

    // Makes w the active window; its Form_Activate runs now or, deferred, once the
    // current handler has returned to the event loop.
    void activate(QWidget *w, bool deferred)
    {
        if (!w || w == active)
            return;
        active = w;
        history.removeAll(w);
        history.removeAll(nullptr);
        history.append(w);
        pending = nullptr;
        auto *f = qobject_cast<Form *>(w);
        if (!f)
            return;
        if (deferred) {
            pending = f;
            QMetaObject::invokeMethod(
                this, [this] { flushPending(); }, Qt::QueuedConnection);
            return;
        }
        run(f);
    }

    void flushPending()
    {
        Form *f = pending;
        pending = nullptr;
        if (f && f == active && f->isVisible() && !f->m_unloaded)
            run(f);
    }

    void run(Form *f)
    {
        emit FormEvents::instance().activated(f);
        f->Form_Activate();
    }

    // The window the program falls back to when the active one goes away.
    QWidget *fallback(QWidget *leaving) const
    {
        for (int i = history.size() - 1; i >= 0; --i) {
            QWidget *w = history[i];
            if (w && w != leaving && w->isVisible() && isProgramWindow(w) && !blockedByModal(w))
                return w;
        }
        return nullptr;
    }

    // A window of the program that is not a form and runs its own modal loop (a report
    // preview's exec()): the runtime follows it as if execModal had run it.
    static bool isForeignProgramWindow(QWidget *w)
    {
        return w->property(kProgramWindowProperty).toBool() || w->inherits("pv::ReportPreview");
    }

    void foreignShown(QWidget *w)
    {
        programWindows.insert(w);
        returnTo.insert(w, active);
        // Destroyed while shown: only the bookkeeping goes; the pointer is a key by then.
        connect(w, &QObject::destroyed, this, [this, w] {
            if (!returnTo.contains(w))
                return;
            QPointer<QWidget> back = returnTo.take(w);
            modals.removeAll(nullptr);
            programWindows.remove(w);
            history.removeAll(nullptr);
            if (!active)
                activate(back && back->isVisible() ? back.data() : fallback(nullptr), true);
        });
        const bool modal = w->windowModality() != Qt::NonModal;
        if (modal)
            modals.append(w);
        activate(w, false);
        if (modal)
            emit FormEvents::instance().modalShown(w);
    }

    void foreignHidden(QWidget *w)
    {
        QPointer<QWidget> back = returnTo.take(w);
        const bool modal = modals.removeAll(w) > 0;
        if (modal)
            emit FormEvents::instance().modalEnded(w);
        if (active == w) {
            QWidget *target = back;
            if (!target || !target->isVisible() || !isProgramWindow(target) || blockedByModal(target))
                target = fallback(w);
            active = nullptr;
            activate(target, true);
        }
        programWindows.remove(w);
        history.removeAll(w);
    }

    void windowHidden(QWidget *w)
    {
        requests.removeAll(w); // a hidden window's activation will not come
        if (returnTo.contains(w)) {
            foreignHidden(w);
            return;
        }
        if (w != active)
            return;
        for (const auto &m : modals)
            if (m == w)
                return; // execModal hands the activation back itself
        active = nullptr;
        activate(fallback(w), true);
    }

    void forget(QWidget *w)
    {
        returnTo.remove(w);
        history.removeAll(w);
        programWindows.remove(w);
        if (active == w)
            active = nullptr;
    }

    void queueEndCheck()
    {
        if (endCheckQueued)
            return;
        endCheckQueued = true;
        QTimer::singleShot(0, this, [this] {
            endCheckQueued = false;
            // A program whose last form is unloaded ends, as one whose windows are all gone.
            for (Form *f : std::as_const(forms))
                if (!f->m_unloaded)
                    return;
            if (!programEnded())
                detail::lastFormUnloaded();
        });
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::WindowActivate:
            if (o->isWidgetType()) {
                auto *w = static_cast<QWidget *>(o);
                if (w->isWindow())
                    windowSystemActivated(w);
            }
            break;
        case QEvent::Show:
            if (o->isWidgetType() && !e->spontaneous()) {
                auto *w = static_cast<QWidget *>(o);
                if (w->isWindow() && !qobject_cast<Form *>(w) && !returnTo.contains(w) &&
                    !modals.contains(w) && isForeignProgramWindow(w))
                    foreignShown(w);
            }
            break;
        case QEvent::Hide:
            if (o->isWidgetType() && !e->spontaneous()) {
                auto *w = static_cast<QWidget *>(o);
                if (w->isWindow())
                    windowHidden(w);
            }
            break;
        case QEvent::KeyPress:
            if (o->isWidgetType() && keyForForm(static_cast<QWidget *>(o), static_cast<QKeyEvent *>(e)))
                return true;
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Form-level key handling before the control sees the key. Application filters see
    // an unaccepted key again as it travels up to the parents; that pass is skipped.
    bool keyForForm(QWidget *receiver, QKeyEvent *ke)
    {
        auto *f = qobject_cast<Form *>(receiver->window());
        if (!f || f->m_unloaded)
            return false;
        if (ke == m_lastKey && ke->timestamp() == m_lastKeyTime && m_lastKeyReceiver &&
            m_lastKeyReceiver != receiver && receiver->isAncestorOf(m_lastKeyReceiver))
            return false;
        m_lastKey = ke;
        m_lastKeyTime = ke->timestamp();
        m_lastKeyReceiver = receiver;

        int ascii = keyAscii(ke);
        if (ascii == 0)
            return false;
        if (f->m_keyPreview || receiver == f) {
            QPointer<Form> guard(f);
            f->Form_KeyPress(ascii);
            if (!guard || ascii == 0)
                return true;
        }
        if (f->m_enterMovesFocus && ascii == 13) {
            f->moveFocus(true);
            return true;
        }
        if (f->m_escCloses && ascii == 27) {
            Unload(f, Form::FormCode);
            return true;
        }
        return false;
    }

    bool m_filtering = false;
    QKeyEvent *m_lastKey = nullptr;
    quint64 m_lastKeyTime = 0;
    QPointer<QWidget> m_lastKeyReceiver;
};

FormEvents &FormEvents::instance()
{
    static FormEvents *ev = new FormEvents;
    return *ev;
}

Form::Form(QWidget *parent) : QWidget(parent, Qt::Window)
{
    // The forms were designed in Tahoma 8 pt: its stand-in, not the machine's default.
    setFont(formFont());
    auto &rt = FormRuntime::get();
    rt.ensureFilter();
    rt.forms.insert(this);
}

Form::~Form()
{
    auto &rt = FormRuntime::get();
    rt.forms.remove(this);
    for (auto it = rt.defaults.begin(); it != rt.defaults.end(); ++it) {
        if (it->second == this) {
            rt.defaults.erase(it);
            break;
        }
    }
    rt.forget(this);
}

void Form::setClientSizeTwips(double width, double height)
{
    resize(twipsToPixels(width), twipsToPixels(height));
}

void Form::centerOnScreen()
{
    if (const QScreen *s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

void setGeometryTwips(QWidget *widget, double left, double top, double width, double height)
{
    if (widget)
        widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                            twipsToPixels(height));
}

void Form::moveFocus(bool forward)
{
    focusNextPrevChild(forward);
}

void Form::Show(ShowMode mode, QWidget *owner)
{
    if (m_unloaded)
        return;
    if (mode == Modal) {
        if (!m_modal) // already waiting in its own modal loop: nothing more to do
            execModal(this, owner);
        return;
    }
    auto &rt = FormRuntime::get();
    show();
    rt.toFront(this);
    if (!rt.blockedByModal(this))
        rt.activate(this, false);
}

void Form::Hide()
{
    hide();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Laid out by now: grids and lists get columns and rows their texts fit in.
    fitTexts(this);
}

void Form::closeEvent(QCloseEvent *event)
{
    // The close box unloads the form like the code's Unload, with its own unload mode;
    // the runtime hides and destroys it.
    event->ignore();
    Unload(this, FormControlMenu);
}

Form *defaultFormInstance(std::type_index type, const std::function<Form *()> &create)
{
    auto &rt = FormRuntime::get();
    auto it = rt.defaults.find(type);
    if (it != rt.defaults.end())
        return it->second;
    Form *f = create();
    f->m_default = true;
    // Registered before Form_Load so that the load handler's own references reach
    // this instance instead of making another.
    rt.defaults[type] = f;
    f->Form_Load();
    emit FormEvents::instance().loaded(f);
    return f;
}

bool isFormLoaded(std::type_index type)
{
    auto &rt = FormRuntime::get();
    return rt.defaults.count(type) != 0;
}

bool Unload(Form *f, int mode)
{
    if (!f || f->m_unloaded || f->m_unloading)
        return true;
    f->m_unloading = true;
    QPointer<Form> guard(f);
    int cancel = 0;
    f->Form_QueryUnload(cancel, mode);
    if (guard && !cancel)
        f->Form_Unload(cancel);
    if (!guard)
        return true;
    f->m_unloading = false;
    if (cancel)
        return false;
    if (f->m_unloaded) // unloaded from inside its own handlers
        return true;
    f->m_unloaded = true;
    auto &rt = FormRuntime::get();
    for (auto it = rt.defaults.begin(); it != rt.defaults.end(); ++it) {
        if (it->second == f) {
            rt.defaults.erase(it);
            break;
        }
    }
    emit f->unloaded();
    f->hide();
    rt.forget(f);
    // The caller may be one of the form's own handlers: destroy it only once control
    // is back in the event loop.
    if (f->m_default)
        f->deleteLater();
    rt.queueEndCheck();
    return true;
}

void discardAllForms(bool immediate)
{
    auto &rt = FormRuntime::get();
    const QList<Form *> all = rt.forms.values();
    rt.defaults.clear();
    rt.pending = nullptr;
    rt.active = nullptr;
    for (Form *f : all) {
        f->m_unloaded = true;
        f->hide();
        rt.forget(f);
    }
    for (Form *f : all) {
        if (!f->m_default)
            continue;
        if (immediate)
            delete f;
        else
            f->deleteLater();
    }
}

QList<Form *> loadedForms()
{
    QList<Form *> out;
    for (Form *f : std::as_const(FormRuntime::get().forms))
        if (!f->m_unloaded)
            out.append(f);
    return out;
}

namespace
{
// Ends a modal loop when its window is hidden (by code, not by minimising) or destroyed.
class ModalWatch : public QObject
{
public:
    ModalWatch(QWidget *w, QEventLoop *loop) : m_loop(loop)
    {
        w->installEventFilter(this);
        connect(w, &QObject::destroyed, loop, &QEventLoop::quit);
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Hide && !e->spontaneous())
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};
} // namespace

void execModal(QWidget *window, QWidget *owner)
{
    if (!window)
        return;
    auto &rt = FormRuntime::get();
    rt.ensureFilter();
    auto *f = qobject_cast<Form *>(window);
    if (f && f->m_unloaded)
        return;
    if (!f)
        rt.programWindows.insert(window);

    QPointer<QWidget> w(window);
    QPointer<QWidget> returnTo(owner ? owner : rt.active.data());
    if (w->isVisible())
        w->hide();
    w->setWindowModality(Qt::ApplicationModal);
    if (returnTo && returnTo != w) {
        w->winId(); // a native window, so the window manager knows whose child it is
        if (w->windowHandle() && returnTo->window()->windowHandle())
            w->windowHandle()->setTransientParent(returnTo->window()->windowHandle());
    }
    if (f)
        f->m_modal = true;
    rt.modals.append(w);
    w->show();
    rt.toFront(w);
    rt.activate(w, false);

    QEventLoop loop;
    ModalWatch watch(w, &loop);
    if (w && w->isVisible() && !(f && f->m_unloaded)) {
        emit FormEvents::instance().modalShown(w);
        if (w && w->isVisible())
            loop.exec(QEventLoop::DialogExec);
    }

    rt.modals.removeAll(w);
    rt.modals.removeAll(nullptr);
    if (w) {
        w->removeEventFilter(&watch);
        if (!w->isVisible())
            w->setWindowModality(Qt::NonModal);
        if (auto *ff = qobject_cast<Form *>(w.data()))
            ff->m_modal = false;
        emit FormEvents::instance().modalEnded(w);
    }
    // Hand the activation back only when the modal window was the active one; a window
    // it opened and left open stays active.
    if (!w || rt.active == w || !rt.active) {
        QWidget *target = returnTo;
        if (!target || !target->isVisible() || !rt.isProgramWindow(target) || rt.blockedByModal(target))
            target = rt.fallback(w);
        rt.active = nullptr;
        if (target) {
            rt.requestActivation(target);
            rt.activate(target, true);
        }
    }
    if (w && !qobject_cast<Form *>(w.data()))
        rt.forget(w);
}

QWidget *activeProgramWindow()
{
    return FormRuntime::get().active;
}

void userActivate(QWidget *window)
{
    auto &rt = FormRuntime::get();
    if (!window || !window->isVisible() || !rt.isProgramWindow(window) || rt.blockedByModal(window))
        return;
    rt.requestActivation(window);
    rt.activate(window, false);
}

QList<QWidget *> modalWindows()
{
    QList<QWidget *> out;
    for (const auto &m : FormRuntime::get().modals)
        if (m)
            out.append(m);
    return out;
}

} // namespace pv

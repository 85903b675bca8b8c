#pragma once
// Forms: the program's windows.
//
// A window is a class derived from pv::Form with one default instance, reached with
// pv::form<T>(). The first access creates it and runs its Form_Load, before the caller
// writes anything into it; Unload() runs Form_QueryUnload and Form_Unload and destroys
// it, and the next access creates a new one.
//
//   class kasa : public pv::Form {
//       Q_OBJECT
//   public:
//       kasa();                        // builds the controls
//       void Form_Load() override;
//       void Form_Activate() override; // reads the hand-off fields
//       pv::HandOff txtYetki;
//   };
//
//   pv::form<kasa>().txtYetki = txtYetki.text();   // loads kasa first
//   pv::form<kasa>().Show();                       // modeless
//   pv::form<musteriekle>().Show(pv::Form::Modal); // returns when it closes or hides
//
// Activation is the runtime's own bookkeeping, not the window manager's: Form_Activate
// runs when a form is shown and becomes the active window, when a modal window opened
// over it closes (after the handler that opened it has returned), and when the user
// comes back to it from another window of the program. Message boxes, pickers and
// other applications never change the active window, so returning from them runs
// nothing.
//
// Forms are plain top-level widgets, not dialogs: Esc does not close them and Enter
// presses no default button unless the form asks for it (setEscCloses, Form_KeyPress).
#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>

namespace pv
{

class Form : public QWidget
{
    Q_OBJECT
public:
    enum ShowMode { Modeless = 0, Modal = 1 };
    enum UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2 };

    ~Form() override;

    // Modeless: shows the form, brings it to the front and activates it.
    // Modal: the same, then waits in a nested event loop until the form is hidden or
    // unloaded; meanwhile the other windows take no input. When it ends, the window
    // that was active before it was shown is activated again, once the handler that
    // showed it has returned. Give owner when that should be another window: a login
    // shown over the main window, whose activation may have opened a third one.
    void Show(ShowMode mode = Modeless, QWidget *owner = nullptr);
    void Hide();

    bool isLoaded() const { return !m_unloaded; }
    bool isShownModal() const { return m_modal; }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Keyboard conventions, per form; all off unless the window asks for them.
    // KeyPreview: Form_KeyPress sees every key of the form before its controls do.
    void setKeyPreview(bool on) { m_keyPreview = on; }
    // Enter (and the keypad's Enter) moves the focus to the next field in tab order.
    void setEnterMovesFocus(bool on) { m_enterMovesFocus = on; }
    // Esc unloads the form.
    void setEscCloses(bool on) { m_escCloses = on; }

    // Client area size given in twips, as the designs give it.
    void setClientSizeTwips(double width, double height);
    // Places the window in the middle of its screen's work area.
    void centerOnScreen();

    // The handlers a window overrides. Cancel != 0 in the two unload handlers keeps the
    // form loaded. Form_KeyPress gets the key's character code (13 Enter, 27 Esc, 8
    // Backspace); setting KeyAscii to 0 swallows the key. Without KeyPreview it sees
    // only the keys sent to the form itself.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(int &Cancel, int UnloadMode)
    {
        Q_UNUSED(Cancel);
        Q_UNUSED(UnloadMode);
    }
    virtual void Form_Unload(int &Cancel) { Q_UNUSED(Cancel); }
    virtual void Form_KeyPress(int &KeyAscii) { Q_UNUSED(KeyAscii); }

    // Moves the focus as Tab would (forward) or Shift+Tab (backward).
    void moveFocus(bool forward = true);

signals:
    // After Form_Unload agreed, before the form is hidden and destroyed.
    void unloaded();

protected:
    explicit Form(QWidget *parent = nullptr);
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class FormRuntime;
    friend Form *defaultFormInstance(std::type_index, const std::function<Form *()> &);
    friend bool Unload(Form *, int);
    friend void discardAllForms(bool);
    friend void execModal(QWidget *, QWidget *);
    friend QList<Form *> loadedForms();
    bool m_unloaded = false;
    bool m_unloading = false;
    bool m_default = false; // created by the runtime as a default instance
    bool m_modal = false;
    bool m_keyPreview = false;
    bool m_enterMovesFocus = false;
    bool m_escCloses = false;
};

Form *defaultFormInstance(std::type_index type, const std::function<Form *()> &create);
bool isFormLoaded(std::type_index type);

// The default instance of T, created and loaded at first access.
template <class T> T &form()
{
    static_assert(std::is_base_of_v<Form, T>, "form<T>() needs a pv::Form");
    return *static_cast<T *>(defaultFormInstance(typeid(T), [] { return new T; }));
}

// Whether T's default instance exists, without creating it.
template <class T> bool isLoaded()
{
    return isFormLoaded(typeid(T));
}

// Runs Form_QueryUnload and Form_Unload; unless one cancels, hides the form (ending its
// modal wait) and destroys it once control is back in the event loop. True when
// unloaded (also for a form already unloaded).
bool Unload(Form *form, int mode = Form::FormCode);
inline bool Unload(Form &form, int mode = Form::FormCode)
{
    return Unload(&form, mode);
}
template <class T> void unload()
{
    if (isLoaded<T>())
        Unload(form<T>());
}

// Discards every loaded form without running its handlers (program end, test teardown).
// immediate: delete now; otherwise hide now and delete in the event loop.
void discardAllForms(bool immediate);
QList<Form *> loadedForms();

// Runs any top-level window of the program (a report preview, for one) modally the way
// a modal form runs: a nested loop until it is hidden or destroyed, activation handed
// back afterwards, test hooks told. Form::Show(Modal) uses it.
void execModal(QWidget *window, QWidget *owner = nullptr);

// The window the program considers active: a form or another window of the program
// run through execModal. Message boxes and pickers are never it.
QWidget *activeProgramWindow();
// Does what the user's switching to this window does: activates it (running its
// Form_Activate) unless it is already the active window or a modal window is in the way.
void userActivate(QWidget *window);
// The modal windows now running, innermost last.
QList<QWidget *> modalWindows();

// A top-level window that is not a form but belongs to the program and runs its own
// modal loop (QDialog::exec) is followed like a modal form when it carries this property
// set to true: it becomes the active window while shown, and the window it was opened
// over is activated again when it closes. The report preview is recognised by itself.
inline constexpr const char kProgramWindowProperty[] = "pvProgramWindow";

// Places a control by a design's twips (left, top, width, height).
void setGeometryTwips(QWidget *widget, double left, double top, double width, double height);

// Notifications for windows, tests and tools.
class FormEvents : public QObject
{
    Q_OBJECT
public:
    static FormEvents &instance();
signals:
    // A window's default instance was made and its Form_Load ran: another window can
    // listen to it without the two including each other both ways.
    void loaded(pv::Form *form);
    void activated(QWidget *window);  // just before its Form_Activate runs
    void modalShown(QWidget *window); // shown and activated, its nested loop about to run
    void modalEnded(QWidget *window);
};

} // namespace pv

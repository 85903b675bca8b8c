#pragma once
// The form loader: a window's controls made from its form file (JSON, in the report
// layouts' style), the way a form is read at load time.
//
//   {
//     "name": "birmler",
//     "caption": "Birim Ölçüleri Ekle", "width": 5400, "height": 4920, "fixedSize": true,
//     "controls": [
//       {"name": "xpText1", "class": "Kit.TextBox", "left": 3615, "top": 120, "width": 1665, "height": 330},
//       {"name": "btnEkle", "class": "BrennavikBtn.BvButton", "left": 3615, "top": 570, "width": 1665,
//        "height": 450, "design": {"ButtonStyle": 3, "Caption": " Ekle"}},
//       {"name": "Label1", "class": "Kit.Label", "parent": "Frame1", "left": 120, "top": 480,
//        "width": 1500, "height": 285, "text": "Firma Adı :", "font": "Tahoma", "size": 8, "bold": true,
//        "palette": {"WindowText": "#808080"}, "visible": false}
//     ]
//   }
//
// The window: "caption", "width" and "height" of its client area in twips, "fixedSize".
// A control, in creation order (which is the tab order unless "tabOrder" lists the names
// of the window): "name" and "class" (a class of the registry, pv::ClassRegistry), its
// "parent" (an earlier control; the window when none), "left", "top", "width", "height" in
// twips, "design" (the control's own design properties, handed to its class in the
// property bag with the name and place), "z" (its place among its siblings, bottom 0, when
// it is not the order of the file), "font", "size", "bold", "italic" (without "font" they
// change the font the control inherits), "palette" (colour roles as #RRGGBB), "items" (a list's
// or combo's entries), "tag" (the text of its "Tag" property, e.g. "AutoSizer:HW" for the
// auto-sizer), and any other key a Qt property of the control ("text",
// "alignment": "AlignRight|AlignVCenter", "readOnly", "toolTip", ...).
// In a design, {"family": ..., "size": ..., "bold": ...} is a font and {"image": path} a
// picture read from a file or resource.
// "page": the control is made on that page (from 0) of its parent, a tab widget.
// In "tabOrder" each name is put to follow the one before it; a name may come again (the
// first one named last follows the last).
//
// "take": true marks a control the window may have made already (a panel's form takes
// the window's own controls by name). When a widget of that name lies under the widget
// the form is loaded on, it is taken as it stands, nothing of the entry set on it; only
// one under another parent than the entry's is moved there, placed at the entry's place
// when it gives one, and shown unless "visible" is false. Else it is made from the entry.
//
// After the controls are made, the window's members named in the member table point to
// them, and each control X's Click, Change and DblClick signal (a line edit's text change
// counts as Change, a Qt button's clicked as Click) is connected to the window's handler
// X_Click, X_Change, X_DblClick when the window has one declared as a slot.
//
// The load fails, saying why, on JSON it cannot read, an unknown class, key, Qt property
// or design property, a parent that is no earlier control, a member without its control
// (or of another class), and a handler X_Click whose control X has no Click to connect.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class QObject;
class QWidget;
struct QMetaObject;

namespace pv
{

// A member pointer of a window, to be pointed at the form's control of its name.
class FormMember
{
public:
    template <class T>
    FormMember(const char *name, T *&member)
        : m_name(QString::fromLatin1(name)), m_className(T::staticMetaObject.className()),
          m_bind([&member](QObject *o) {
              member = qobject_cast<T *>(o);
              return member != nullptr;
          })
    {
    }

    const QString &name() const { return m_name; }
    const char *className() const { return m_className; }
    // False when the control is not of the member's class.
    bool bind(QObject *control) const { return m_bind(control); }

private:
    QString m_name;
    const char *m_className;
    std::function<bool(QObject *)> m_bind;
};

// A window member by its own name: PV_FORM_MEMBER(btnEkle).
#define PV_FORM_MEMBER(member) ::pv::FormMember(#member, member)

class PropertyBag;

// Names a control by its design's "Name" and places it by "Left", "Top", "Width" and
// "Height" in twips.
void nameAndPlace(QWidget *control, const PropertyBag &design);
// A factory for the class registry: a Qt control made as it comes, named and placed.
template <class T> QWidget *plainControl(QWidget *parent, const PropertyBag &design)
{
    auto *w = new T(parent);
    nameAndPlace(w, design);
    return w;
}

// Makes the form's controls on window; "" when done, else the reason it failed.
QString loadForm(QWidget *window, const QByteArray &json, const QList<FormMember> &members = {});
// The same from a file or resource path.
QString loadFormFile(QWidget *window, const QString &path, const QList<FormMember> &members = {});
// A panel's form: its controls made on parent (a window-wide key such as "caption" only
// when parent is a window), their handlers X_Click, ... looked for on handlers (the panel
// object that owns them).
QString loadForm(QWidget *parent, QObject *handlers, const QByteArray &json,
                 const QList<FormMember> &members);
// A panel of the form file: its "panels" key holds each panel's form by name, read as a
// form of its own; "" for the file's own form.
QString loadFormFile(QWidget *parent, QObject *handlers, const QString &path, const QString &panel,
                     const QList<FormMember> &members);

} // namespace pv

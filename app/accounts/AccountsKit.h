#pragma once
// Small helpers of the customer card and the account window's panels: controls made from
// design properties and placed in twips, and the shop's rules for the card's boxes.
#include "app/FormKit.h"

#include <QString>
#include <QStringList>

namespace acc
{

using kit::button;
using kit::Design;
using kit::frame;
using kit::label;

// Moves a panel to its place and shows it on top of its siblings.
void showAt(QWidget *w, double left, double top);

// Enabled for any control of the program (the button and the frame keep their own state).
void setEnabled(QWidget *w, bool on);
// The same for the window's controls of these names; a name the window lacks is passed over.
void setEnabled(QWidget *window, const QStringList &names, bool on);

// A box holding nothing but blanks counts as empty.
bool isBlank(const QString &text);
// The e-mail box's design text "@" alone is no address.
QString mailValue(const QString &typed);

// The vendor's address named in the program's messages.
QString makerAddress();

// Photo paths: the file must exist and be a JPG, GIF or BMP picture.
enum class PhotoCheck { Ok, Missing, WrongType };
PhotoCheck checkPhoto(const QString &path);
// Shows the check's message; true when the picture may be loaded.
bool reportPhoto(const QString &path);

} // namespace acc

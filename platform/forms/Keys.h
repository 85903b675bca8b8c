#pragma once
// Key handling of single controls, in the manner of a control's KeyPress event.
//
//   pv::onKeyPress(txtPass, [this](int &KeyAscii) {
//       if (KeyAscii == 13) cmdOK_Click();
//   });
//   pv::refuseKeys(txtUName, "'");   // the apostrophe does nothing
//
// The handler gets the key's character code (13 Enter, 27 Esc, 8 Backspace, else the
// character's Unicode value); 0 swallows the key, another code types that character
// instead. A form's KeyPreview handler runs before these.
#include <QString>
#include <functional>

class QKeyEvent;
class QWidget;

namespace pv
{

int keyAscii(const QKeyEvent *event); // 0 for keys without a character (arrows, F keys)

using KeyPressHandler = std::function<void(int &KeyAscii)>;
void onKeyPress(QWidget *control, KeyPressHandler handler);
void refuseKeys(QWidget *control, const QString &characters);

} // namespace pv

#pragma once
// Event hooks of single controls, in the manner of a control's GotFocus, LostFocus, Click
// and DblClick events, with one meaning in every window:
// - got/lost focus is the user (or the program) moving between fields: focus coming back
//   from a message box, a menu or another program, or going away to one, is not;
// - a click is the left button pressed and released over the control; a double click is
//   the left button's. A right or middle click is neither.
//
//   pv::onLostFocus(Text5, [this] { Text5_LostFocus(); });
//   pv::onClick(Image4, [this] { Image4_Click(); });
//
// The control still gets the event after the handler ran.
#include <functional>

class QWidget;

namespace pv
{

using EventHandler = std::function<void()>;

void onGotFocus(QWidget *control, EventHandler handler);
void onLostFocus(QWidget *control, EventHandler handler);
void onClick(QWidget *control, EventHandler handler);
void onDblClick(QWidget *control, EventHandler handler);

} // namespace pv

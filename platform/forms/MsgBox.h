#pragma once
// Message boxes: one service for the whole program.
//
//   if (pv::MsgBox("Silinsin mi?", pv::vbYesNo | pv::vbQuestion, "Dikkat!") == pv::vbYes) ...
//
// Flags and answers keep the values the forms' code was written with. A title left out
// (a null QString) becomes programTitle(), "Pelvanor". Line breaks in the text (LF, CR LF
// or CR) are shown as line breaks; the text is plain, never markup.
// Showing a box does not activate the form under it again when the box closes.
#include <QString>
#include <functional>

namespace pv
{

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbYes = 6,
    vbNo = 7,
};

struct MsgBoxCall {
    QString text;  // exactly as given
    QString title; // after the default title was applied
    int flags = 0;
    int buttons() const { return flags & 0x0F; } // vbOKOnly, vbOKCancel, vbYesNoCancel, vbYesNo
    int icon() const { return flags & 0x70; }    // 0, vbCritical, vbQuestion, vbExclamation, vbInformation
    int defaultButton() const { return flags & 0x300; }
};

int MsgBox(const QString &text, int flags = vbOKOnly, const QString &title = QString());

// Tests answer the boxes themselves; the handler gets each call and returns the answer.
using MsgBoxHandler = std::function<int(const MsgBoxCall &)>;
void setMsgBoxHandler(MsgBoxHandler handler); // empty restores the real boxes

// The answer a box gives when closed without a choice (Esc or its close box):
// Cancel where there is one, No on Yes/No, OK on OK.
int msgBoxEscapeAnswer(int flags);

} // namespace pv

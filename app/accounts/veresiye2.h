#pragma once
// The account window of one customer, as far as the main window hands work to it: the
// hand-off fields and delete mode. Minimal: the account window proper replaces it.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class QFrame;
class QLabel;
class QLineEdit;

namespace pv {
class Timer;
}

class veresiye2 : public pv::Form {
    Q_OBJECT
public:
    veresiye2();

    void Form_Activate() override;

    // Written by the caller before it shows the window modally; read at activation.
    pv::HandOff Text10;          // the account code (musteriler.mus_kodu)
    pv::HandOff txtYetki;        // rights level "0" / "1"
    pv::HandOff txtMusTuru;      // account type (musteriler.Turu)
    QLineEdit *txtPt1 = nullptr; // currency words after the three totals ("TL" until written)
    QLineEdit *txtPt2 = nullptr;
    QLineEdit *txtPt3 = nullptr;
    QFrame *musilfrm = nullptr;  // delete-confirmation frame: visible in delete mode
    pv::Timer *Timer5 = nullptr; // 10 ms, keeps the commands disabled in delete mode

    BvButton *VornXPButton7 = nullptr; // "Geri"
    BvButton *MyButton3 = nullptr;     // " İptal" on musilfrm
    QLabel *lblInfo = nullptr;         // what was handed over

    void VornXPButton7_Click();
    void MyButton3_Click();
    void Timer5_Timer();
};

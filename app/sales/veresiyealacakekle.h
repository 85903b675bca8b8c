#pragma once
// Credit note and payment dialog: for now only the fields the account window writes
// before showing it; the dialog's own work comes with its full window.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class FrameFendrixon;
class QComboBox;
class QLabel;
class QLineEdit;

class veresiyealacakekle : public pv::Form {
    Q_OBJECT
public:
    veresiyealacakekle();

    pv::HandOff txtMusTuru;   // account type
    pv::HandOff Text1;        // account code
    pv::HandOff txtIslemTuru; // "Alacak Dekontu " or "Ödeme "

    FrameFendrixon *odefrm2 = nullptr;  // panel header
    QLineEdit *Text4 = nullptr;         // description
    QLineEdit *Text5 = nullptr;         // amount
    QLabel *Label8 = nullptr;           // "Tutar :"
    QLabel *Label3 = nullptr;           // "Ödeme Şekli :"
    QComboBox *cboOdemeSekli = nullptr; // payment kind
};

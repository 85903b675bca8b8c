#pragma once
// Credit sale and collection dialog: for now only the fields the account window writes
// before showing it; the dialog's own work comes with its full window.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class FrameFendrixon;
class QComboBox;
class QFrame;

class veresiyeekleode : public pv::Form {
    Q_OBJECT
public:
    veresiyeekleode();

    pv::HandOff Text1;      // account code of every row saved
    pv::HandOff txtMusTuru; // account type; "Satıcı" turns a collection into money out
    pv::HandOff txtOnay;    // sale mode: "1" free text, "2" from stock

    QFrame *eklefrm = nullptr;          // sale panel
    FrameFendrixon *eklefrm2 = nullptr; // its header
    QFrame *odefrm = nullptr;           // collection panel
    FrameFendrixon *odefrm2 = nullptr;  // its header
    QComboBox *cboOdemeSekli = nullptr; // payment kind
};

#pragma once
// Credit note and payment dialog: one credit note ("Alacak Dekontu ") or one payment
// ("Ödeme ") on the account the account window shows. A payment to a supplier ("Satıcı")
// is a debit with a money-out cash row; everything else is a credit row alone. The dialog
// unloads itself after a save or a cancel, so each opening starts afresh.
//
//   auto &d = pv::form<veresiyealacakekle>();   // loads it: posting id, date, time
//   connect(&d, &veresiyealacakekle::posted, this, &veresiye2::postingSaved);
//   d.openAsPayment(code, type, accountCaption, this); // modal: returns when it closes
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QDateTime>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QLabel;
class QLineEdit;

class veresiyealacakekle : public pv::Form
{
    Q_OBJECT
public:
    veresiyealacakekle();

    void Form_Load() override;

    // ---- openers: each arranges the panel for its kind, then shows the dialog modally.
    void openAsCreditNote(const QString &code, const QString &accountType, const QString &accountCaption,
                          QWidget *owner);
    void openAsPayment(const QString &code, const QString &accountType, const QString &accountCaption,
                       QWidget *owner);

    // ---- hand-off fields
    pv::HandOff txtMusTuru;                                     // account type
    pv::HandOff Text1;                                          // account code
    pv::HandOff txtIslemTuru{QStringLiteral("Alacak Dekontu")}; // "Alacak Dekontu " or "Ödeme "
    pv::HandOff txtIslemNo2;                                    // posting id of this opening

    // ---- controls
    FrameFendrixon *odefrm2 = nullptr;  // panel header
    QLabel *Label2 = nullptr;           // "Tarih :"
    QLineEdit *Text2 = nullptr;         // date
    QLabel *Label1 = nullptr;           // "Saat :"
    QLineEdit *Text3 = nullptr;         // time
    QLineEdit *Text4 = nullptr;         // description
    QLabel *Label3 = nullptr;           // "Ödeme Şekli :"
    QComboBox *cboOdemeSekli = nullptr; // payment kind
    QLabel *Label8 = nullptr;           // "Tutar :"
    QLineEdit *Text5 = nullptr;         // amount
    BvButton *VornXPButton9 = nullptr;  // " Onayla"
    BvButton *VornXPButton8 = nullptr;  // " Vazgeç"

public slots: // connected by the form file
    void VornXPButton9_Click();
    void VornXPButton8_Click();

public:
    // ---- handlers and procedures
    void cboOdemeSekli_Click();
    void Text5_LostFocus();

signals:
    // A posting was saved; the code is always "11".
    void posted(const QString &refreshCode);

private:
    pv::Database m_db;
    QDateTime m_openedAt; // the posting id's moment
};

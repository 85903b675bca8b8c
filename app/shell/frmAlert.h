#pragma once
// The overdue alert: every customer whose last transaction is 30 or more days old, and
// the switch that opens it at start-up.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class QListWidget;

namespace pv
{
class DataControl;
}

class frmAlert : public pv::Form
{
    Q_OBJECT
public:
    frmAlert();

    void Form_Load() override;
    void Form_Activate() override;

    void Text1_Change();

public slots: // connected by the form file
    void Check1_Click();
    void btnMail_Click();
    void btnSMS_Click();
    void Button1_Click();

public:
    QListWidget *List1 = nullptr;
    BvButton *Check1 = nullptr;
    BvButton *btnMail = nullptr;
    BvButton *btnSMS = nullptr;
    BvButton *Button1 = nullptr;
    pv::DataControl *Data1 = nullptr;
    pv::HandOff Text1; // bound to dgrayr.show

    // The maker's address that ends the two announcements.
    static QString makerAddress();
};

#pragma once
// The login dialog: a user name picked from the list, the password, and the hand-over of
// the user name and rights level to the main window. Its only ways out are a good login
// and " KAPAT", which ends the program.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QComboBox;
class QLabel;
class QLineEdit;

namespace pv
{
class DataControl;
}

class frmLogin : public pv::Form
{
    Q_OBJECT
public:
    frmLogin();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;

    void birimgrup();
    void txtUName_GotFocus();

public slots: // connected by the form file
    void cmdOK_Click();
    void cmdClose_Click();

public:
    FrameFendrixon *FrameFendrixon1 = nullptr;
    QLabel *Label14 = nullptr;
    QComboBox *txtUName = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtPass = nullptr;
    BvButton *cmdOK = nullptr;
    BvButton *cmdClose = nullptr;
    pv::DataControl *Data1 = nullptr;
    pv::HandOff txtYetki; // bound to UserType of the found user

private:
    bool m_ending = false;
};

#include "app/shell/frmLogin.h"

#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/Keys.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/TurkishText.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>

frmLogin::frmLogin()
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    ui::loadForm(this, {PV_FORM_MEMBER(FrameFendrixon1), PV_FORM_MEMBER(Label14), PV_FORM_MEMBER(txtUName),
                        PV_FORM_MEMBER(Label1), PV_FORM_MEMBER(txtPass), PV_FORM_MEMBER(cmdOK),
                        PV_FORM_MEMBER(cmdClose)});
    txtPass->setEchoMode(QLineEdit::Password);

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    ui::bindField(Data1, &txtYetki, QStringLiteral("UserType"));

    pv::onGotFocus(txtUName, [this] { txtUName_GotFocus(); });
    pv::onKeyPress(txtUName, [this](int &KeyAscii) {
        if (KeyAscii == '\'')
            KeyAscii = 0;
        else if (KeyAscii == 13) {
            KeyAscii = 0;
            txtPass->setFocus(Qt::TabFocusReason);
        }
    });
    pv::onKeyPress(txtPass, [this](int &KeyAscii) {
        if (KeyAscii == '\'')
            KeyAscii = 0;
        else if (KeyAscii == 13) {
            KeyAscii = 0;
            cmdOK_Click();
        }
    });
}

void frmLogin::Form_Load()
{
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(QStringLiteral("User"));
    Data1->Refresh();
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void frmLogin::Form_Activate()
{
    birimgrup();
}

void frmLogin::birimgrup()
{
    txtUName->clear();
    pv::Recordset &rs = Data1->Recordset();
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        txtUName->addItem(rs.Fields(QStringLiteral("UserName")).text());
    txtUName->setCurrentIndex(-1);
}

void frmLogin::txtUName_GotFocus()
{
    // Home, then Shift+End: the whole text selected. A list-only box has no text to select.
    if (QLineEdit *e = txtUName->lineEdit())
        e->selectAll();
}

void frmLogin::cmdOK_Click()
{
    const QString name = txtUName->currentText();
    if (name.isEmpty()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Adını Girin"), pv::vbOKOnly | pv::vbCritical,
                   QStringLiteral("Dikkat!"));
        txtUName->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (txtPass->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Şifreyi Girin"), pv::vbOKOnly | pv::vbCritical, QStringLiteral("Dikkat!"));
        txtPass->setFocus(Qt::OtherFocusReason);
        return;
    }
    pv::Recordset &rs = Data1->Recordset();
    rs.MoveFirst();
    // The name goes in as a value: an apostrophe in a user name is just a character.
    rs.FindFirst(QStringLiteral("Username = ?"), {name});
    if (rs.NoMatch() || !rs.hasCurrent()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Adı Yanlış"), pv::vbOKOnly | pv::vbCritical,
                   QStringLiteral("Bulunamadı"));
        txtUName->setFocus(Qt::OtherFocusReason);
        return;
    }
    pv::Field stored = rs.Fields(QStringLiteral("Password"));
    if (stored.isNull() || stored.text() != txtPass->text()) {
        pv::MsgBox(QStringLiteral("Şifre Yanlış"), pv::vbOKOnly | pv::vbCritical, Caption());
        txtUName->setCurrentIndex(-1);
        txtPass->clear();
        txtUName->setFocus(Qt::OtherFocusReason);
        return;
    }
    pv::MsgBox(QStringLiteral("Giriş Başarılı ") + pv::trUpper(rs.Fields(QStringLiteral("Username")).text()),
               pv::vbOKOnly | pv::vbInformation, Caption());
    veresiye &main = pv::form<veresiye>();
    main.kasiyer = txtUName->currentText();
    main.txtYetki = txtYetki.text();
    pv::Unload(this);
}

void frmLogin::cmdClose_Click()
{
    m_ending = true;
    pv::unload<frmSplash>();
    pv::unload<veresiye>();
    pv::endProgram();
}

void frmLogin::Form_QueryUnload(int &Cancel, int UnloadMode)
{
    // The close box is " KAPAT": nobody reaches the main window without a good login.
    if (UnloadMode == FormControlMenu && !m_ending) {
        Cancel = 1;
        cmdClose_Click();
    }
}

#include "app/admin/kullanici.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace
{

const QString kFull = QStringLiteral("Tam Yetki");
const QString kCashier = QStringLiteral("Kasiyer");
const QString kSource = QStringLiteral("select * from User ORDER BY Username asc");

QString levelOf(const QString &role)
{
    return role == kCashier ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

kullanici::kullanici()
{
    setObjectName(QStringLiteral("kullanici"));
    setEscCloses(true);
    setEnterMovesFocus(true);
    // The add and the edit panel are panels of their own: their labels share names.
    ui::loadForm(this, {PV_FORM_MEMBER(DBGrid2), PV_FORM_MEMBER(MyButton2), PV_FORM_MEMBER(BvButton1),
                        PV_FORM_MEMBER(MyButton1), PV_FORM_MEMBER(kapat), PV_FORM_MEMBER(xpFrame1),
                        PV_FORM_MEMBER(xpFrame2)});
    ui::loadForm(xpFrame1, QStringLiteral("kullanici.xpFrame1"), this,
                 {PV_FORM_MEMBER(Text1), PV_FORM_MEMBER(Text2), PV_FORM_MEMBER(xpCombo1),
                  PV_FORM_MEMBER(Check1), PV_FORM_MEMBER(ekles), PV_FORM_MEMBER(BvButton4)});
    ui::loadForm(xpFrame2, QStringLiteral("kullanici.xpFrame2"), this,
                 {PV_FORM_MEMBER(xpText1), PV_FORM_MEMBER(xpText2), PV_FORM_MEMBER(xpCombo2),
                  PV_FORM_MEMBER(Check2), PV_FORM_MEMBER(BvButton2), PV_FORM_MEMBER(BvButton3)});

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    pv::bindField(*Data1, Text11111, QStringLiteral("Username"));

    DBGrid2Model = new pv::DataGridModel(Data1,
                                         {{QStringLiteral("KULLANICILAR"), QStringLiteral("Username"), 2200},
                                          {QStringLiteral("YETKİSİ"), QStringLiteral("Name"), 1800}},
                                         this);
    DBGrid2Model->attach(DBGrid2, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid2->verticalHeader()->setVisible(false);

    connect(Check1, &QCheckBox::toggled, this, &kullanici::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &kullanici::Check2_Click);
    connect(xpCombo1, &QComboBox::activated, this, &kullanici::xpCombo1_Click);
    connect(xpCombo2, &QComboBox::activated, this, &kullanici::xpCombo2_Click);
}

void kullanici::Form_Load()
{
    for (QComboBox *c : {xpCombo1, xpCombo2})
        c->addItems({kCashier, kFull});
    xpCombo1->setCurrentText(kFull);
    Check1->setChecked(false);
    Check1_Click();
}

void kullanici::Form_Activate()
{
    requery();
    Command1_Click();
}

void kullanici::requery()
{
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(kSource);
    Data1->Refresh();
}

void kullanici::Command1_Click()
{
    MyButton1->setEnabled(!Text11111.text().isEmpty());
}

void kullanici::showList()
{
    xpFrame1->setVisible(false);
    xpFrame2->setVisible(false);
    DBGrid2->setEnabled(true);
}

void kullanici::MyButton2_Click()
{
    xpFrame2->setVisible(false);
    DBGrid2->setEnabled(false);
    xpFrame1->setVisible(true);
    Text1->clear();
    Text2->clear();
    Text1->setFocus();
}

void kullanici::ekles_Click()
{
    if (Text1->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Adını Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
        Text1->setFocus();
        return;
    }
    if (Text2->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Şifresini Yazın"), pv::vbExclamation,
                   QStringLiteral("Dikkat!!"));
        Text2->setFocus();
        return;
    }
    pv::Database db;
    db.open(pv::databasePath());
    pv::Recordset rs;
    bool ok = rs.open(db, QStringLiteral("User")) && rs.AddNew();
    if (ok) {
        rs.Fields(QStringLiteral("Username")) = Text1->text();
        rs.Fields(QStringLiteral("Password")) = Text2->text();
        rs.Fields(QStringLiteral("UserType")) = Text3.text();
        rs.Fields(QStringLiteral("Name")) = xpCombo1->currentText();
        ok = rs.Update();
    }
    if (!ok) {
        // The panel stays open with what was typed, so the name can be corrected.
        if (rs.lastError().number == pv::DbError::DuplicateKey)
            pv::MsgBox(QStringLiteral("Bu kayıt Mevcut"), pv::vbInformation, QStringLiteral("Dikkat"));
        else
            pv::MsgBox(QStringLiteral("Kullanıcı kaydedilemedi. Lütfen tekrar deneyin."), pv::vbCritical,
                       QStringLiteral("Hata"));
        Text1->setFocus();
        return;
    }
    pv::MsgBox(QStringLiteral("Kullanıcı Kaydedildi. "), pv::vbInformation, QStringLiteral("Bilgi"));
    const QString added = Text1->text();
    requery();
    Data1->Recordset().FindFirst(QStringLiteral("Username = ?"), {added});
    showList();
}

void kullanici::BvButton4_Click()
{
    xpFrame1->setVisible(false);
    Text1->clear();
    Text2->clear();
    DBGrid2->setEnabled(true);
}

void kullanici::BvButton1_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (!rs.hasCurrent())
        return;
    xpFrame1->setVisible(false);
    DBGrid2->setEnabled(false);
    xpFrame2->setVisible(true);
    // The boxes hold a copy of the row; only " Kaydet" writes it.
    pv::showFromStart(xpText1, rs.Fields(QStringLiteral("Username")).text());
    pv::showFromStart(xpText2, rs.Fields(QStringLiteral("Password")).text());
    const QString type = rs.Fields(QStringLiteral("UserType")).text();
    xpCombo2->setCurrentText(type == QLatin1String("1") ? kCashier : kFull);
    Text4 = levelOf(xpCombo2->currentText());
    Check2->setChecked(true);
    Check2_Click();
    xpText1->setFocus();
}

bool kullanici::isLastFullRightsUser(const QString &userType)
{
    if (userType != QLatin1String("0"))
        return false;
    return Data1->Database()
               .scalar(QStringLiteral("SELECT count(*) FROM User WHERE UserType = '0'"))
               .toLongLong() <= 1;
}

void kullanici::BvButton2_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (!rs.hasCurrent()) {
        showList();
        return;
    }
    if (xpText1->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Adını Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
        xpText1->setFocus();
        return;
    }
    if (xpText2->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Kullanıcı Şifresini Yazın"), pv::vbExclamation,
                   QStringLiteral("Dikkat!!"));
        xpText2->setFocus();
        return;
    }
    if (Text4.text() != QLatin1String("0") &&
        isLastFullRightsUser(rs.Fields(QStringLiteral("UserType")).text())) {
        pv::MsgBox(QStringLiteral("Bu kullanıcı tek tam yetkili kullanıcıdır; yetkisi Kasiyer yapılamaz.\n"
                                  "Önce başka bir kullanıcıya Tam Yetki verin."),
                   pv::vbExclamation, QStringLiteral("Dikkat!!"));
        xpCombo2->setFocus();
        return;
    }
    const qint64 id = rs.Fields(QStringLiteral("id")).value().toLongLong();
    bool ok = rs.Edit();
    if (ok) {
        rs.Fields(QStringLiteral("Username")) = xpText1->text();
        rs.Fields(QStringLiteral("Password")) = xpText2->text();
        rs.Fields(QStringLiteral("UserType")) = Text4.text();
        rs.Fields(QStringLiteral("Name")) = xpCombo2->currentText();
        ok = rs.Update();
    }
    if (!ok) {
        const int number = rs.lastError().number;
        rs.CancelUpdate();
        if (number == pv::DbError::DuplicateKey)
            pv::MsgBox(QStringLiteral("Bu kayıt Mevcut"), pv::vbInformation, QStringLiteral("Dikkat"));
        else
            pv::MsgBox(QStringLiteral("Değişiklik kaydedilemedi. Lütfen tekrar deneyin."), pv::vbCritical,
                       QStringLiteral("Hata"));
        xpText1->setFocus();
        return;
    }
    requery();
    Data1->Recordset().FindFirst(QStringLiteral("id = ?"), {id});
    showList();
}

void kullanici::BvButton3_Click()
{
    showList();
}

void kullanici::MyButton1_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (!rs.hasCurrent())
        return;
    const QString name = rs.Fields(QStringLiteral("Username")).text();
    if (isLastFullRightsUser(rs.Fields(QStringLiteral("UserType")).text())) {
        pv::MsgBox(name + QStringLiteral(" tek tam yetkili kullanıcıdır; silinemez.\n"
                                         "Önce başka bir kullanıcıya Tam Yetki verin."),
                   pv::vbExclamation, QStringLiteral("Dikkat!!"));
        return;
    }
    if (pv::MsgBox(name + QStringLiteral("\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    if (!rs.Delete())
        pv::MsgBox(QStringLiteral("Kullanıcı silinemedi. Lütfen tekrar deneyin."), pv::vbCritical,
                   QStringLiteral("Hata"));
    requery();
    Command1_Click();
    Data1->Recordset().MoveLast();
}

void kullanici::kapat_Click()
{
    pv::Unload(this);
}

void kullanici::Check1_Click()
{
    Text2->setEchoMode(Check1->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
}

void kullanici::Check2_Click()
{
    xpText2->setEchoMode(Check2->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
}

void kullanici::xpCombo1_Click()
{
    Text3 = levelOf(xpCombo1->currentText());
}

void kullanici::xpCombo2_Click()
{
    Text4 = levelOf(xpCombo2->currentText());
}

#include "app/accounts/musteriekle.h"

#include "app/accounts/veresiye2.h"
#include "app/ledger/Customers.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/SqlFunctions.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>

namespace
{

const QString kSimilarAll = QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc");
const QString kSimilarLike =
    QStringLiteral("select * from musteriler where MusteriFirma like ? ORDER BY MusteriFirma asc");
const QString kGroups = QStringLiteral("select * from Musteri_Gruplari order by grupadi asc");

} // namespace

musteriekle::musteriekle()
{
    setObjectName(QStringLiteral("musteriekle"));
    // Enter walks the fields (the address box too), Esc leaves without saving.
    setEnterMovesFocus(true);
    setEscCloses(true);

    Data1 = new pv::DataControl(this);
    Data2 = new pv::DataControl(this);
    Data3 = new pv::DataControl(this);
    pv::bindField(*Data2, Text1a, QStringLiteral("musterino"));

    buildControls();
}

musteriekle::~musteriekle() = default;

void musteriekle::buildControls()
{
    ui::loadForm(this,
                 {PV_FORM_MEMBER(Image1),    PV_FORM_MEMBER(xpText1),         PV_FORM_MEMBER(xpCombo1),
                  PV_FORM_MEMBER(BvButton1), PV_FORM_MEMBER(xpCombo2),        PV_FORM_MEMBER(btnGrupEkle),
                  PV_FORM_MEMBER(xpCombo3),  PV_FORM_MEMBER(xpText2),         PV_FORM_MEMBER(xpText10),
                  PV_FORM_MEMBER(xpText3),   PV_FORM_MEMBER(xpText8),         PV_FORM_MEMBER(xpText9),
                  PV_FORM_MEMBER(xpText4),   PV_FORM_MEMBER(xpText5),         PV_FORM_MEMBER(xpText6),
                  PV_FORM_MEMBER(xpText7),   PV_FORM_MEMBER(btnHesapAc),      PV_FORM_MEMBER(kaydet),
                  PV_FORM_MEMBER(MyButton6), PV_FORM_MEMBER(Image2),          PV_FORM_MEMBER(BvButton3),
                  PV_FORM_MEMBER(BvButton2), PV_FORM_MEMBER(txtFoto),         PV_FORM_MEMBER(Frame1s),
                  PV_FORM_MEMBER(DBGrid2),   PV_FORM_MEMBER(FrameFendrixon1), PV_FORM_MEMBER(VornXPButton7),
                  PV_FORM_MEMBER(Frame1),    PV_FORM_MEMBER(FrameFendrixon2), PV_FORM_MEMBER(DBGrid1),
                  PV_FORM_MEMBER(xpText11),  PV_FORM_MEMBER(btnEkle),         PV_FORM_MEMBER(btnSil),
                  PV_FORM_MEMBER(btnKapat)});

    // The pointer over the background hides the similar records, over the name shows them.
    Image1->installEventFilter(this);
    xpText2->installEventFilter(this);
    Image2->setCursor(Qt::PointingHandCursor);
    pv::onClick(Image2, [this] { BvButton3_Click(); });

    m_similarModel =
        new pv::DataGridModel(Data1,
                              {{QStringLiteral("PARA TÜRÜ"), QStringLiteral("ParaTuru"), 900},
                               {QStringLiteral("HESAP TÜRÜ"), QStringLiteral("Turu"), 1200},
                               {QStringLiteral("MÜŞTERİ NO"), QStringLiteral("mus_kodu"), 1200},
                               {QStringLiteral("MÜŞTERİLER"), QStringLiteral("MusteriFirma"), 3300},
                               {QStringLiteral("SON İŞLEM"), QStringLiteral("Sonislem"), 1080},
                               {QStringLiteral("GÜN"), QStringLiteral("Gun"), 600},
                               {QStringLiteral("BAKİYE"), QStringLiteral("Bakiye"), 1200}},
                              this);
    m_similarModel->attach(DBGrid2, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid2->verticalHeader()->hide();

    m_groupModel = new pv::DataGridModel(
        Data3, {{QStringLiteral("Müşteri Grupları"), QStringLiteral("grupadi"), 5000}}, this);
    m_groupModel->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    connect(xpText2, &QLineEdit::textChanged, this, &musteriekle::btnAra_Click);
}

// ---------------------------------------------------------------- loading and activation

void musteriekle::Form_Load()
{
    const QString path = pv::databasePath();
    Data2->setDatabaseName(path);
    Data2->setRecordSource(QStringLiteral("son_musterino"));
    Data2->Refresh();
    topla_Click();

    Data1->setDatabaseName(path);
    Data1->setRecordSource(kSimilarAll);
    Data1->Refresh();

    Data3->setDatabaseName(path);
    Data3->setRecordSource(kGroups);
    Data3->Refresh();

    xpCombo1->addItems({QStringLiteral("Alıcı"), QStringLiteral("Satıcı"), QStringLiteral("Alıcı/Satıcı"),
                        QStringLiteral("Bayi"), QStringLiteral("Personel")});
    xpCombo1->setCurrentIndex(0);
    xpCombo3->addItems({QStringLiteral("TL"), QStringLiteral("Dolar"), QStringLiteral("Euro")});
    xpCombo3->setCurrentIndex(0);
}

void musteriekle::Form_Activate()
{
    Data2->Refresh();
    topla_Click();
    birimgrup();
    if (!m_focused) {
        m_focused = true;
        xpCombo2->setFocus();
    }
}

void musteriekle::topla_Click()
{
    // Read fresh: another card may have been saved since this one loaded.
    pv::Database db;
    db.open(pv::databasePath());
    QString why;
    const auto held = pv::ledger::customerNumber(db, &why);
    if (!held) {
        // No number is proposed from a counter that could not be read.
        xpText1->clear();
        if (!m_counterUnread)
            pv::MsgBox(QStringLiteral("Müşteri numarası okunamadı: ") + why, pv::vbCritical,
                       QStringLiteral("Hata"));
        m_counterUnread = true;
        return;
    }
    m_counterUnread = false;
    xpText1->setText(QString::number(*held + Text1b.text().toLongLong()));
}

void musteriekle::birimgrup()
{
    // Refilling keeps the group text shown, "GENEL" included.
    const QString shown = xpCombo2->currentText();
    xpCombo2->clear();
    pv::Recordset &rs = Data3->Recordset();
    const int field = rs.fieldIndex(QStringLiteral("grupadi"));
    for (int row = 0; field >= 0 && row < rs.RecordCount(); ++row)
        xpCombo2->addItem(rs.textAt(row, field));
    const int at = xpCombo2->findText(shown);
    xpCombo2->setCurrentIndex(at);
    xpCombo2->setEditText(shown);
}

// ---------------------------------------------------------------- similar records

void musteriekle::btnAra_Click()
{
    const QString name = xpText2->text();
    if (name.isEmpty())
        Data1->setRecordSource(kSimilarAll);
    else
        Data1->setRecordSource(kSimilarLike, {pv::containsPattern(name)});
    Data1->Refresh();
}

bool musteriekle::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == xpText2)
            ui::showAt(Frame1s, 120, 3480);
        else if (watched == Image1)
            Frame1s->hide();
    }
    return pv::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------- saving

void musteriekle::kaydet_Click()
{
    if (ui::isBlank(xpText2->text())) {
        ui::refuseField(xpText2, QStringLiteral("Müşteriyi Yazın"));
        return;
    }
    if (ui::isBlank(xpText3->text())) {
        ui::refuseField(xpText3, QStringLiteral("Telefon Numarasını Yazın"));
        return;
    }
    if (ui::isBlank(xpText4->toPlainText())) {
        ui::refuseField(xpText4, QStringLiteral("Adresi Yazın"));
        return;
    }
    KaydetForm();
}

void musteriekle::KaydetForm()
{
    pv::ledger::NewCustomer c;
    c.code = xpText1->text().trimmed();
    c.name = xpText2->text().trimmed();
    c.contact = xpText10->text().trimmed();
    c.phone = xpText3->text().trimmed();
    c.fax = xpText8->text().trimmed();
    c.mobile = xpText9->text().trimmed();
    c.address = xpText4->toPlainText().trimmed();
    c.taxOffice = xpText5->text().trimmed();
    c.taxNumber = xpText6->text().trimmed();
    c.mail = ui::mailValue(xpText7->text());
    c.type = xpCombo1->currentText();
    c.group = xpCombo2->currentText();
    c.currency = xpCombo3->currentText();
    c.photo = txtFoto->text();
    c.createdOn = pv::Clock::today();

    // The row and the counter go together: a refused row leaves the counter as it was.
    pv::Database db;
    const pv::ledger::Result saved = db.open(pv::databasePath())
                                         ? pv::ledger::addCustomer(db, c)
                                         : pv::ledger::Result::failure(db.lastError().message);
    if (!saved) {
        if (saved.reason == pv::ledger::kCustomerCodeTaken)
            pv::MsgBox(
                QStringLiteral("BU MÜŞTERİ NUMARASI KAYITLARDA MEVCUT. PROGRAMINIZDAKİ BU HATAYI LÜTFEN ") +
                    ui::makerAddress() + QStringLiteral(" ADRESİNE BİLDİRİNİZ."),
                pv::vbInformation, QStringLiteral("Bilgi"));
        else
            pv::MsgBox(QStringLiteral("Müşteri kaydedilemedi.\n") + saved.reason, pv::vbCritical,
                       QStringLiteral("Hata"));
        xpText1->setFocus();
        return;
    }

    Text1c = pv::ledger::customerNumberOf(c.code) ? c.code : Text1a.text();
    Data2->Refresh();
    Data1->Refresh();

    if (txtHsbAc.text() != QLatin1String("0"))
        openAccount(c.code, c.name, c.type);
    pv::Unload(this);
}

void musteriekle::openAccount(const QString &number, const QString &name, const QString &type)
{
    pv::form<veresiye2>().openAccount(name + QStringLiteral(" / ") + number + QStringLiteral(" - ( ") + type +
                                          QStringLiteral(" ) Hesabı"),
                                      number, txtYetki.text(), type, std::nullopt, this);
}

void musteriekle::MyButton6_Click()
{
    pv::Unload(this);
}

// ---------------------------------------------------------------- small commands

void musteriekle::cp_Click()
{
    xpText10->setText(xpText2->text());
    xpText3->setFocus();
}

void musteriekle::btnHesapAc_Click()
{
    txtHsbAc = btnHesapAc->Value() ? QStringLiteral("1") : QStringLiteral("0");
}

void musteriekle::BvButton1_Click()
{
    ui::showAt(FrameFendrixon1, 120, 360);
    MyButton6->setEnabled(false);
    kaydet->setEnabled(false);
}

void musteriekle::VornXPButton7_Click()
{
    FrameFendrixon1->hide();
    MyButton6->setEnabled(true);
    kaydet->setEnabled(true);
}

// ---------------------------------------------------------------- groups

void musteriekle::btnGrupEkle_Click()
{
    ui::showAt(Frame1, 0, 0);
    xpText11->setFocus();
}

void musteriekle::btnEkle_Click()
{
    if (ui::isBlank(xpText11->text())) {
        ui::refuseField(xpText11, QStringLiteral("Grubu Yazın"));
        return;
    }
    GrupEkle();
}

void musteriekle::GrupEkle()
{
    // A name the database refuses is simply not added.
    Data3->Database().exec(QStringLiteral("insert into Musteri_Gruplari (grupadi) values (?)"),
                           {xpText11->text().trimmed()});
    Data3->Refresh();
    xpText11->clear();
}

void musteriekle::btnSil_Click()
{
    if (pv::MsgBox(QStringLiteral("Seçmiş olduğunuz Grup silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) == pv::vbNo)
        return;
    pv::Recordset &rs = Data3->Recordset();
    if (!rs.hasCurrent())
        return;
    const int row = Data3->currentRow();
    Data3->Database().exec(QStringLiteral("delete from Musteri_Gruplari where id = ?"),
                           {rs.Fields(QStringLiteral("id")).value()});
    Data3->Refresh();
    if (row > 0)
        Data3->setCurrentRow(qMin(row, rs.RecordCount() - 1));
}

void musteriekle::btnKapat_Click()
{
    Frame1->hide();
    Data3->Refresh();
    birimgrup();
}

// ---------------------------------------------------------------- picture

void musteriekle::BvButton3_Click()
{
    const QString picked = pv::pickOpenFile(
        QStringLiteral("Resim Dosyası Seçin."),
        QStringLiteral("JPG File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|GIF File(*.gif)|*.gif|"
                       "Tüm Dosyalar(*.*)|*.*"),
        this);
    // A cancelled picker changes nothing and says nothing.
    if (picked.isEmpty())
        return;
    txtFoto->setText(picked);
    Command1_Click();
}

void musteriekle::Command1_Click()
{
    if (!ui::reportPhoto(txtFoto->text()))
        return;
    Image2->setPixmap(QPixmap(txtFoto->text()));
}

void musteriekle::BvButton2_Click()
{
    if (txtFoto->text().isEmpty())
        return;
    if (pv::MsgBox(QStringLiteral("Müşteri Resmini Silmek İstediğinizden Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Uyarı")) != pv::vbYes)
        return;
    txtFoto->clear();
    Image2->clear();
}

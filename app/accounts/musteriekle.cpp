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

// A list the user picks from but cannot type into, which still shows a text that is not
// among its items (the group "GENEL" before any group row exists).
QComboBox *makePickedList(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    auto *c = ui::comboBox(parent, name, l, t, w, h);
    c->setEditable(true);
    c->lineEdit()->setReadOnly(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

} // namespace

musteriekle::musteriekle()
{
    setObjectName(QStringLiteral("musteriekle"));
    setCaption(QStringLiteral("Yeni Müşteri Ekle"));
    setClientSizeTwips(10320, 5880);
    // Enter walks the fields (the address box too), Esc leaves without saving.
    setEnterMovesFocus(true);
    setEscCloses(true);

    Data1 = new pv::DataControl(this);
    Data2 = new pv::DataControl(this);
    Data3 = new pv::DataControl(this);
    pv::bindField(*Data2, Text1a, QStringLiteral("musterino"));

    buildControls();
    setTabOrder();
}

musteriekle::~musteriekle() = default;

void musteriekle::buildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    Image1->lower();

    ui::label(this, "Label1", 240, 360, 1440, 315, QStringLiteral("Müşteri Kodu :"));
    xpText1 = ui::textBox(this, "xpText1", 1800, 360, 1800, 315);
    xpText1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    xpText1->setStyleSheet(QStringLiteral("color: #FF0000;"));

    ui::label(this, "Label2", 3840, 360, 1200, 315, QStringLiteral("Hesap Türü :"));
    xpCombo1 = ui::comboBox(this, "xpCombo1", 5040, 360, 2040, 315);
    BvButton1 = ui::button(this, "BvButton1", 7140, 360, 360, 315, QStringLiteral("?"));

    ui::label(this, "Label3", 240, 780, 1440, 315, QStringLiteral("Müşteri Grubu :"));
    xpCombo2 = makePickedList(this, "xpCombo2", 1800, 780, 2760, 315);
    xpCombo2->setEditText(QStringLiteral("GENEL"));
    btnGrupEkle = ui::button(this, "btnGrupEkle", 4620, 780, 900, 315, QStringLiteral("Ekle"),
                             QStringLiteral("Müşteri Grubu Ekle"));
    xpCombo3 = ui::comboBox(this, "xpCombo3", 5640, 780, 1440, 315);

    ui::label(this, "Label4", 240, 1200, 1440, 315, QStringLiteral("Müşteri :"));
    xpText2 = ui::textBox(this, "xpText2", 1800, 1200, 5280, 315);
    xpText2->setMouseTracking(true);
    xpText2->installEventFilter(this);

    ui::label(this, "Label5", 240, 1620, 1440, 315, QStringLiteral("İlgili :"));
    xpText10 = ui::textBox(this, "xpText10", 1800, 1620, 4860, 315, QStringLiteral(" "));
    cp = ui::button(this, "cp", 6720, 1620, 360, 315, QString(), QStringLiteral("Müşteri Ünvanını Kopyala"));

    ui::label(this, "Label6", 240, 2040, 1440, 315, QStringLiteral("Telefon :"));
    xpText3 = ui::textBox(this, "xpText3", 1800, 2040, 2280, 315, QStringLiteral(" "));
    ui::label(this, "Label7", 4200, 2040, 840, 315, QStringLiteral("Fax No :"));
    xpText8 = ui::textBox(this, "xpText8", 5040, 2040, 2040, 315, QStringLiteral(" "));

    ui::label(this, "Label8", 240, 2460, 1440, 315, QStringLiteral("GSM No :"));
    xpText9 = ui::textBox(this, "xpText9", 1800, 2460, 2280, 315, QStringLiteral(" "));

    ui::label(this, "Label9", 240, 2880, 1440, 315, QStringLiteral("Adres :"));
    xpText4 = new QPlainTextEdit(QStringLiteral(" "), this);
    xpText4->setObjectName(QStringLiteral("xpText4"));
    pv::setGeometryTwips(xpText4, 1800, 2880, 5280, 900);

    ui::label(this, "Label10", 240, 3900, 1440, 315, QStringLiteral("Vergi Dairesi :"));
    xpText5 = ui::textBox(this, "xpText5", 1800, 3900, 2280, 315, QStringLiteral(" "));
    // wide enough for the whole caption, ending where the box starts
    ui::label(this, "Label11", 4110, 3900, 930, 315, QStringLiteral("Vergi No :"));
    xpText6 = ui::textBox(this, "xpText6", 5040, 3900, 2040, 315, QStringLiteral(" "));

    ui::label(this, "Label12", 240, 4320, 1440, 315, QStringLiteral("E-Posta :"));
    xpText7 = ui::textBox(this, "xpText7", 1800, 4320, 5280, 315, QStringLiteral("@"));

    btnHesapAc = ui::button(this, "btnHesapAc", 240, 5040, 3000, 480, QStringLiteral(" Müşteri Hesabını Aç"),
                            {}, {{"Mode", int(BrennavikBtn::ebmCheckBox)}});
    kaydet = ui::button(this, "kaydet", 5400, 5040, 1560, 480, QStringLiteral("Kaydet"));
    MyButton6 = ui::button(this, "MyButton6", 7080, 5040, 1560, 480, QStringLiteral("Vazgeç"));

    // ---- picture
    picFrame = new QFrame(this);
    picFrame->setObjectName(QStringLiteral("picFrame"));
    picFrame->setFrameShape(QFrame::Box);
    pv::setGeometryTwips(picFrame, 7560, 360, 2520, 2520);
    auto *hint = ui::label(picFrame, "Label13", 60, 60, 2400, 2400,
                           QStringLiteral("Resim Eklemek İçin Tıklayın"), Qt::AlignCenter);
    hint->setWordWrap(true);
    Image2 = ui::label(picFrame, "Image2", 15, 15, 2490, 2490, QString(), Qt::AlignCenter);
    Image2->setScaledContents(true);
    Image2->setCursor(Qt::PointingHandCursor);
    pv::onClick(Image2, [this] { BvButton3_Click(); });
    BvButton3 = ui::button(this, "BvButton3", 7560, 2940, 1680, 420, QStringLiteral("Resim Yükle"));
    BvButton2 = ui::button(this, "BvButton2", 9300, 2940, 780, 420, QString(), QStringLiteral("Resmi Sil"));
    txtFoto = ui::textBox(this, "txtFoto", 7560, 3420, 2520, 315);
    txtFoto->setReadOnly(true);

    // ---- similar records
    Frame1s = ui::frame(this, "Frame1s", 120, 3480, 10080, 2280,
                        QStringLiteral("Kayıt Yaptığınız Müşteriye Ait Benzer Kayıtlar"));
    DBGrid2 = new QTableView(Frame1s);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    pv::setGeometryTwips(DBGrid2, 60, 375, 9960, 1845);
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
    DBGrid2->setFocusPolicy(Qt::NoFocus);
    Frame1s->hide();

    // ---- account-type help
    FrameFendrixon1 =
        ui::frame(this, "FrameFendrixon1", 120, 360, 7440, 3960, QStringLiteral("Hesap Türü Yardım"));
    const std::pair<QString, QString> help[] = {
        {QStringLiteral("Alıcı :"), QStringLiteral("Sizden Ürün veya Hizmet alan Müşterileriniz")},
        {QStringLiteral("Satıcı :"), QStringLiteral("Size Ürün veya Hizmet Tedarik eden Firma")},
        {QStringLiteral("Alıcı / Satıcı :"),
         QStringLiteral("Sizden Ürün veya Hizmet alan Müşterileriniz hemde Tedarik eden Firma")},
        {QStringLiteral("Bayi :"), QStringLiteral("Ürün veya Hizmet Bayiliği verdiğiniz Müşterileriniz")},
        {QStringLiteral("Personel :"), QStringLiteral("İş yerinizde çalışan Personeller")}};
    double y = 480;
    int n = 0;
    for (const auto &[heading, text] : help) {
        QLabel *h = ui::label(FrameFendrixon1, qPrintable(QStringLiteral("lblHelpHead%1").arg(n)), 240, y,
                              6960, 270, heading);
        QFont bold = h->font();
        bold.setBold(true);
        h->setFont(bold);
        ui::label(FrameFendrixon1, qPrintable(QStringLiteral("lblHelpText%1").arg(n)), 480, y + 270, 6720,
                  270, text);
        y += 600;
        ++n;
    }
    VornXPButton7 =
        ui::button(FrameFendrixon1, "VornXPButton7", 5640, 3360, 1560, 420, QStringLiteral(" Kapat"));
    FrameFendrixon1->hide();

    // ---- groups
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    pv::setGeometryTwips(Frame1, 0, 0, 5640, 4440);
    FrameFendrixon2 =
        ui::frame(Frame1, "FrameFendrixon2", 0, 0, 5640, 4440, QStringLiteral("Müşteri Grubu Ekle"));
    DBGrid1 = new QTableView(FrameFendrixon2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    pv::setGeometryTwips(DBGrid1, 120, 420, 5400, 2640);
    m_groupModel = new pv::DataGridModel(
        Data3, {{QStringLiteral("Müşteri Grupları"), QStringLiteral("grupadi"), 5000}}, this);
    m_groupModel->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    xpText11 = ui::textBox(FrameFendrixon2, "xpText11", 120, 3180, 3600, 315);
    btnEkle = ui::button(FrameFendrixon2, "btnEkle", 3840, 3120, 1680, 420, QStringLiteral(" Ekle"));
    btnSil = ui::button(FrameFendrixon2, "btnSil", 120, 3720, 2400, 420, QStringLiteral("Seçili Kaydı Sil"));
    btnKapat = ui::button(FrameFendrixon2, "btnKapat", 3840, 3720, 1680, 420, QStringLiteral(" Kapat"));
    Frame1->hide();

    connect(xpText2, &QLineEdit::textChanged, this, &musteriekle::btnAra_Click);
    connect(kaydet, &BvButton::Click, this, &musteriekle::kaydet_Click);
    connect(MyButton6, &BvButton::Click, this, &musteriekle::MyButton6_Click);
    connect(BvButton1, &BvButton::Click, this, &musteriekle::BvButton1_Click);
    connect(VornXPButton7, &BvButton::Click, this, &musteriekle::VornXPButton7_Click);
    connect(btnGrupEkle, &BvButton::Click, this, &musteriekle::btnGrupEkle_Click);
    connect(btnEkle, &BvButton::Click, this, &musteriekle::btnEkle_Click);
    connect(btnSil, &BvButton::Click, this, &musteriekle::btnSil_Click);
    connect(btnKapat, &BvButton::Click, this, &musteriekle::btnKapat_Click);
    connect(cp, &BvButton::Click, this, &musteriekle::cp_Click);
    connect(btnHesapAc, &BvButton::Click, this, &musteriekle::btnHesapAc_Click);
    connect(BvButton3, &BvButton::Click, this, &musteriekle::BvButton3_Click);
    connect(BvButton2, &BvButton::Click, this, &musteriekle::BvButton2_Click);
}

void musteriekle::setTabOrder()
{
    // Enter follows this order; the card's other buttons are reached by the mouse.
    QWidget *const order[] = {xpCombo2, xpText2, xpText10, xpText3, xpText8, xpText9,   xpText4,
                              xpText5,  xpText6, xpText7,  kaydet,  xpText1, MyButton6, xpCombo1};
    for (QWidget *w : {static_cast<QWidget *>(BvButton1), static_cast<QWidget *>(btnGrupEkle),
                       static_cast<QWidget *>(cp), static_cast<QWidget *>(btnHesapAc),
                       static_cast<QWidget *>(xpCombo3), static_cast<QWidget *>(BvButton3),
                       static_cast<QWidget *>(BvButton2), static_cast<QWidget *>(txtFoto)})
        w->setFocusPolicy(Qt::ClickFocus);
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    QWidget::setTabOrder(xpCombo1, xpCombo2);
    xpText4->setTabChangesFocus(true);
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

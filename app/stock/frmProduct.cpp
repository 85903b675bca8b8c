#include "app/stock/frmProduct.h"

#include "app/ledger/Stock.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/UrunGruplari.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTableView>

#include <initializer_list>

namespace
{

const QString kNoExpiry = QStringLiteral("12/9999");
const QString kEmptyExpiry = QStringLiteral("__/____");

void showOnly(std::initializer_list<QWidget *> widgets, bool on)
{
    for (QWidget *w : widgets)
        w->setVisible(on);
}

// A pick-only list takes a text by selecting the item of that text, or none.
void pickText(QComboBox *c, const QString &text)
{
    c->setCurrentIndex(c->findText(text));
}

// Empty, "12/9999", or a month 01-12 with a four-digit year.
bool validExpiry(const QString &text)
{
    if (text.isEmpty() || text == kNoExpiry)
        return true;
    static const QRegularExpression form(QStringLiteral("^(0[1-9]|1[0-2])/\\d{4}$"));
    return form.match(text).hasMatch();
}

} // namespace

frmProduct::frmProduct()
{
    setObjectName(QStringLiteral("frmProduct"));
    setCaption(QStringLiteral("Kapsamlı Stok Kartı İşlemleri"));
    setClientSizeTwips(12720, 9885);
    setEnterMovesFocus(true);

    Data1 = new pv::DataControl(this);
    // A long list opens in the time of its first keys: the grid reads the rows it shows.
    Data1->Recordset().setReadOnDemand(true);
    Data2 = new pv::DataControl(this);
    Data3 = new pv::DataControl(this);
    Data4 = new pv::DataControl(this);
    Data87 = new pv::DataControl(this);

    buildCard();
    buildCommands();
    buildPanels();
    bindCard();
    setTabOrder();

    txtYetki.onChange(this, &frmProduct::txtYetki_Change);
}

frmProduct::~frmProduct()
{
    // The program's end discards the window without its unload handlers.
    islemler->stopWalk();
}

void frmProduct::buildCard()
{
    ceksayi7 = ui::textBox(this, "ceksayi7", 120, 60, 8280, 315);
    ceksayi7->setReadOnly(true);
    ceksayi7->setAlignment(Qt::AlignCenter);
    ceksayi7->setStyleSheet(QStringLiteral("color: red;"));

    // Two columns of fields: caption, box, and a button beside some boxes.
    const double top = 480, step = 360, h = 315;
    const double la = 120, lw = 1860, ba = 2040, bw = 2400;
    const double lb = 5100, lbw = 1680, bb = 6840, bbw = 1080;
    auto rowTop = [&](int i) { return top + i * step; };
    auto caption = [&](const char *name, double l, double w, int row, const QString &text) {
        return ui::label(this, name, l, rowTop(row), w, h, text, Qt::AlignRight | Qt::AlignVCenter);
    };
    auto box = [&](const char *name, double l, double w, int row) {
        QLineEdit *e = ui::textBox(this, name, l, rowTop(row), w, h);
        e->setReadOnly(true);
        return e;
    };

    caption("Label1", la, lw, 0, QStringLiteral("Ürün Kodu (Barkod) :"));
    txtPCode = box("txtPCode", ba, bw, 0);
    barkodver = ui::button(this, "barkodver", ba + bw + 60, rowTop(0), 480, h, QStringLiteral("#"),
                           QStringLiteral("Barkodu Üret"));
    caption("Label2", la, lw, 1, QStringLiteral("Ürün Adı :"));
    txtBName = box("txtBName", ba, bw, 1);
    caption("Label3", la, lw, 2, QStringLiteral("Ürün Kategorisi :"));
    txtGName = box("txtGName", ba, bw, 2);
    cboGName = ui::comboBox(this, "cboGName", ba, rowTop(2), bw, h);
    MyButton7 = ui::button(this, "MyButton7", ba + bw + 60, rowTop(2), 720, h, QStringLiteral("EKLE"),
                           QStringLiteral("Yeni Kategori Ekle"));
    caption("Label4", la, lw, 3, QStringLiteral("Birim Alış Fiyatı :"));
    txtPrice = box("txtPrice", ba, bw, 3);
    caption("Label5", la, lw, 4, QStringLiteral("Satış Fiyatı-1 :"));
    txtsatisfiyat = box("txtsatisfiyat", ba, bw, 4);
    caption("Label6", la, lw, 5, QStringLiteral("Satış Fiyatı-2 :"));
    txtsatisfiyat2 = box("txtsatisfiyat2", ba, bw, 5);
    caption("Label7", la, lw, 6, QStringLiteral("Satış Fiyatı-3 :"));
    txtsatisfiyat3 = box("txtsatisfiyat3", ba, bw, 6);
    for (QLineEdit *e : {txtPrice, txtsatisfiyat, txtsatisfiyat2, txtsatisfiyat3})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    caption("Label8", lb, lbw, 0, QStringLiteral("Stok Miktarı :"));
    txtOnHand = box("txtOnHand", bb, bbw, 0);
    caption("Label9", lb, lbw, 1, QStringLiteral("Birimi :"));
    txtUnit = box("txtUnit", bb, bbw, 1);
    cboUnit = ui::comboBox(this, "cboUnit", bb, rowTop(1), bbw, h);
    QLabel *l10 = caption("Label10", lb, lbw, 2, QStringLiteral("Kritik Stok S. :"));
    l10->setToolTip(QStringLiteral("Kritik Stok Seviyesi "));
    txtReOrder = box("txtReOrder", bb, bbw, 2);
    QLabel *l11 = caption("Label11", lb, lbw, 3, QStringLiteral("Son Kullanma :"));
    l11->setToolTip(QStringLiteral("Son Kullanma Tarihi"));
    meExpires = box("meExpires", bb, bbw, 3);
    meExpire = ui::textBox(this, "meExpire", bb, rowTop(3), bbw, h);
    meExpire->setInputMask(QStringLiteral("99/9999;_"));
    meExpire->setToolTip(QStringLiteral("Son Kullanma Tarihi"));
    yokbuton = ui::button(this, "yokbuton", bb + bbw + 60, rowTop(3), 360, h, QStringLiteral("<"),
                          QStringLiteral("Son Kullanma Tarihi Yok "));
    caption("Label12", lb, lbw, 4, QStringLiteral("Sınıfı :"));
    txtSinif = box("txtSinif", bb, bbw, 4);
    txtSinifCombo = ui::comboBox(this, "txtSinifCombo", bb, rowTop(4), bbw, h);
    caption("Label13", lb, lbw, 5, QStringLiteral("Özel Kod-1 :"));
    txtOzelKod1 = box("txtOzelKod1", bb, bbw, 5);
    caption("Label14", lb, lbw, 6, QStringLiteral("Özel Kod-2 :"));
    txtOzelKod2 = box("txtOzelKod2", bb, bbw, 6);
    // The supplier takes the free last row on the left, as wide as the category: a firm's
    // name does not fit the short boxes of the right column.
    caption("Label15", la, lw, 7, QStringLiteral("Tedarikçi Firma :"));
    txtLocation = box("txtLocation", ba, bw, 7);
    cboLocation = ui::comboBox(this, "cboLocation", ba, rowTop(7), bw, h);
    btnTdrkEkle = ui::button(this, "btnTdrkEkle", ba + bw + 60, rowTop(7), 720, h, QStringLiteral("EKLE"));

    // The VAT fields are kept on the row but never edited here.
    lblKDV = ui::label(this, "lblKDV", 0, 0, 600, 255, QStringLiteral("KDV :"));
    lblKdvOran = ui::label(this, "lblKdvOran", 0, 0, 1200, 255, QStringLiteral("KDV Oranı %:"));
    lblKDV->hide();
    lblKdvOran->hide();

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    ui::place(DBGrid1, 120, 4080, 12480, 4560);
    m_grid =
        new pv::DataGridModel(Data1,
                              {{QStringLiteral("Ürün Kodu (Barkod)"), QStringLiteral("Product Code"), 1680},
                               {QStringLiteral("Ürün Adı"), QStringLiteral("Brand Name"), 2160},
                               {QStringLiteral("Alış Fiyatı"), QStringLiteral("Price"), 960},
                               {QStringLiteral("Satış Fiyatı-1"), QStringLiteral("SatisFiyati"), 1140},
                               {QStringLiteral("Satış Fiyatı-2"), QStringLiteral("SatisFiyati2"), 1140},
                               {QStringLiteral("Satış Fiyatı-3"), QStringLiteral("SatisFiyati3"), 1140},
                               {QStringLiteral("Miktar"), QStringLiteral("OnHand"), 720},
                               {QStringLiteral("Birimi"), QStringLiteral("Unit"), 720},
                               {QStringLiteral("Kritik Stok S."), QStringLiteral("Reorder Level"), 1140},
                               {QStringLiteral("Sınıfı"), QStringLiteral("Sinifi"), 840},
                               {QStringLiteral("Özel Kod-1"), QStringLiteral("OzelKod1"), 1020},
                               {QStringLiteral("Özel Kod-2"), QStringLiteral("OzelKod2"), 1020}},
                              this);
    m_grid->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setWordWrap(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(270));
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { DBGrid1_DblClick(); });

    for (QWidget *w :
         {static_cast<QWidget *>(meExpire), static_cast<QWidget *>(cboGName), static_cast<QWidget *>(cboUnit),
          static_cast<QWidget *>(cboLocation), static_cast<QWidget *>(txtSinifCombo),
          static_cast<QWidget *>(MyButton7), static_cast<QWidget *>(btnTdrkEkle)})
        w->hide();
    for (QWidget *w : {static_cast<QWidget *>(txtPCode), static_cast<QWidget *>(txtOnHand),
                       static_cast<QWidget *>(txtReOrder)})
        w->installEventFilter(this);

    connect(cboGName, &QComboBox::activated, this, [this] { txtGName->setText(cboGName->currentText()); });
    connect(cboLocation, &QComboBox::activated, this,
            [this] { txtLocation->setText(cboLocation->currentText()); });
    connect(cboUnit, &QComboBox::activated, this, [this] { txtUnit->setText(cboUnit->currentText()); });
    connect(txtSinifCombo, &QComboBox::activated, this,
            [this] { txtSinif->setText(txtSinifCombo->currentText()); });
    connect(txtPCode, &QLineEdit::textChanged, this, [this] { txtPCode_Change(); });
    connect(txtOnHand, &QLineEdit::textChanged, this, [this] { txtOnHand_Change(); });
}

void frmProduct::buildCommands()
{
    const double y = 3480, h = 450;
    double x = 120;
    auto next = [&](const char *name, double w, const QString &caption, const QString &tip = {}) {
        BvButton *b = ui::button(this, name, x, y, w, h, caption, tip);
        x += w + 45;
        return b;
    };
    cmdAdd = next("cmdAdd", 1140, QStringLiteral("Ürün Ekle"));
    cmdEdit = next("cmdEdit", 1020, QStringLiteral("Düzenle"));
    cmdDelete = next("cmdDelete", 1080, QStringLiteral("Ürün Sil"));
    cmdSave = next("cmdSave", 960, QStringLiteral("Kaydet"));
    cmdCancel = next("cmdCancel", 900, QStringLiteral("İptal"));
    cmdClose = next("cmdClose", 900, QStringLiteral("Kapat"));
    cmdFirst = next("cmdFirst", 450, QStringLiteral("|<"), QStringLiteral("İlk Kayıt"));
    cmdPrev = next("cmdPrev", 450, QStringLiteral("<"), QStringLiteral("Geri"));
    cmdNext = next("cmdNext", 450, QStringLiteral(">"), QStringLiteral("İleri"));
    cmdLast = next("cmdLast", 450, QStringLiteral(">|"), QStringLiteral("Son Kayıt"));
    cmdSave->setEnabled(false);
    cmdCancel->setEnabled(false);
    barkodver->setEnabled(false);
    yokbuton->setEnabled(false);

    BvButton2 = ui::button(this, "BvButton2", 8640, 2160, 3960, 450, QStringLiteral("Ürün Stok Raporları"),
                           QStringLiteral("Ürün Stok Raporları"), {{"DropDownSymbol", 6}});
    btnTutarHesapla = ui::button(this, "btnTutarHesapla", 8640, 2700, 2760, 450,
                                 QStringLiteral("Fiyat Toplamlarını Hesapla"));
    btnPrint = ui::button(this, "btnPrint", 11460, 2700, 1140, 450, QStringLiteral("Yazdır"));

    connect(cmdAdd, &BvButton::Click, this, &frmProduct::cmdAdd_Click);
    connect(cmdEdit, &BvButton::Click, this, &frmProduct::cmdEdit_Click);
    connect(cmdDelete, &BvButton::Click, this, &frmProduct::cmdDelete_Click);
    connect(cmdSave, &BvButton::Click, this, &frmProduct::cmdSave_Click);
    connect(cmdCancel, &BvButton::Click, this, &frmProduct::cmdCancel_Click);
    connect(cmdClose, &BvButton::Click, this, &frmProduct::cmdClose_Click);
    connect(cmdFirst, &BvButton::Click, this, &frmProduct::cmdFirst_Click);
    connect(cmdPrev, &BvButton::Click, this, &frmProduct::cmdPrev_Click);
    connect(cmdNext, &BvButton::Click, this, &frmProduct::cmdNext_Click);
    connect(cmdLast, &BvButton::Click, this, &frmProduct::cmdLast_Click);
    connect(yokbuton, &BvButton::Click, this, &frmProduct::yokbuton_Click);
}

void frmProduct::buildPanels()
{
    arama = new StokArama(*this, *Data1, {[this] { return editing(); }});
    gruplar = new UrunGruplari(*this, *Data4, *Data2, m_db);
    islemler =
        new StokIslemleri(*this, *Data1, m_db,
                          {[this] { return editing(); }, [this] { DBGrid1->viewport()->update(); },
                           [this] {
                               arama->topla2_Click();
                               return arama->moneySums();
                           },
                           [this](const StokIslemleri::Sums &values) { arama->showMoneyTotals(values); },
                           [this](bool on) {
                               // Nothing may move, re-read or change the list while its values are walked.
                               for (QWidget *c : std::initializer_list<QWidget *>{
                                        DBGrid1, cmdFirst, cmdPrev, cmdNext, cmdLast, cmdAdd, cmdEdit,
                                        cmdDelete, btnPrint, BvButton2, btnTutarHesapla})
                                   ui::setEnabled(c, !on);
                               arama->setEnabled(!on);
                               if (!on)
                                   btnYetki_Click();
                           },
                           [this](const QString &code) {
                               txtPCode->setFocus();
                               txtPCode->setText(code);
                           }});

    connect(BvButton2, &BvButton::Click, arama, &StokArama::BvButton2_Click);
    connect(MyButton7, &BvButton::Click, gruplar, &UrunGruplari::MyButton7_Click);
    connect(btnTdrkEkle, &BvButton::Click, gruplar, &UrunGruplari::btnTdrkEkle_Click);
    connect(arama, &StokArama::stockPanelAsked, islemler, &StokIslemleri::btnSec_Click);
    connect(barkodver, &BvButton::Click, islemler, &StokIslemleri::barkodver_Click);
    connect(btnTutarHesapla, &BvButton::Click, islemler, &StokIslemleri::btnTutarHesapla_Click);
    connect(btnPrint, &BvButton::Click, islemler, &StokIslemleri::btnPrint_Click);
    // A name added or deleted in a panel is offered at once: the product being typed can
    // take a category made for it.
    connect(gruplar, &UrunGruplari::categoriesChanged, this, [this] {
        ui::fillList(Data4, QStringLiteral("urunmarkaadi"), cboGName);
        arama->refillCategories();
    });
    connect(gruplar, &UrunGruplari::suppliersChanged, this,
            [this] { ui::fillList(Data2, QStringLiteral("reyon"), cboLocation); });
}

void frmProduct::bindCard()
{
    Data1->bind(txtPCode, QStringLiteral("Product Code"));
    Data1->bind(txtBName, QStringLiteral("Brand Name"));
    Data1->bind(txtGName, QStringLiteral("Generic Name"));
    Data1->bind(txtOnHand, QStringLiteral("OnHand"));
    // Prices show the decimals of the product's unit as the row is shown, so the format is
    // what the row shows, not a change the user made: browsing never rewrites a price.
    for (auto [box, field] :
         {std::pair{txtPrice, "Price"}, std::pair{txtsatisfiyat, "SatisFiyati"},
          std::pair{txtsatisfiyat2, "SatisFiyati2"}, std::pair{txtsatisfiyat3, "SatisFiyati3"}}) {
        QLineEdit *b = box;
        Data1->bind(
            b, QLatin1String(field),
            [this, b](const QString &t) {
                const QString unit = Data1->Recordset().Fields(QStringLiteral("Unit")).text();
                const QString shown = pv::Format(t, pv::priceFormatForUnit(unit));
                if (b->text() != shown) {
                    b->setText(shown);
                    b->setCursorPosition(int(shown.size()));
                }
            },
            [b] { return b->text(); });
    }
    Data1->bind(txtUnit, QStringLiteral("Unit"));
    Data1->bind(txtReOrder, QStringLiteral("Reorder Level"));
    Data1->bind(meExpires, QStringLiteral("Expiration Date"));
    Data1->bind(
        meExpire, QStringLiteral("Expiration Date"),
        [this](const QString &t) {
            if (meExpire->text() != t)
                meExpire->setText(t);
        },
        [this] {
            const QString shown = meExpire->displayText();
            return shown == kEmptyExpiry ? QString() : shown;
        });
    Data1->bind(txtSinif, QStringLiteral("Sinifi"));
    Data1->bind(txtOzelKod1, QStringLiteral("OzelKod1"));
    Data1->bind(txtOzelKod2, QStringLiteral("OzelKod2"));
    Data1->bind(txtLocation, QStringLiteral("SaticiFirma"));
    pv::bindField(*Data1, txtKayitTarihi, QStringLiteral("KayitTarihi"));
    pv::bindField(*Data1, txtMonth, QStringLiteral("Month"));
    pv::bindField(*Data1, txtYear, QStringLiteral("Year"));
    pv::bindField(*Data1, txtKDV, QStringLiteral("kdv"));
    pv::bindField(*Data1, txtKdvOran, QStringLiteral("kdvOran"));
    pv::bindField(*Data1, txtAlisFiyatiTopTut, QStringLiteral("AlisFiyatiTopTut"));
    pv::bindField(*Data1, txtSatisFiyatiTopTut, QStringLiteral("SatisFiyatiTopTut"));
    pv::bindField(*Data1, txtSatisFiyati2TopTut, QStringLiteral("SatisFiyati2TopTut"));
    pv::bindField(*Data1, txtSatisFiyati3TopTut, QStringLiteral("SatisFiyati3TopTut"));
    pv::bindField(*Data87, txtIsletmeIsmi, QStringLiteral("marketadi"));
}

void frmProduct::setTabOrder()
{
    const QList<QWidget *> order{txtPCode,       txtBName,       cboGName,    txtPrice,    txtsatisfiyat,
                                 txtsatisfiyat2, txtsatisfiyat3, txtOnHand,   cboUnit,     txtReOrder,
                                 meExpire,       txtSinifCombo,  txtOzelKod1, txtOzelKod2, cmdSave,
                                 yokbuton,       cboLocation,    txtLocation};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmProduct::Form_Load()
{
    const QString file = pv::databasePath();
    m_db.open(file);
    auto fill = [&](pv::DataControl *dc, const QString &source, const QString &field, QComboBox *list) {
        dc->setDatabaseName(file);
        dc->setRecordSource(source);
        if (dc->Refresh())
            ui::fillList(dc, field, list);
    };
    fill(Data4, QStringLiteral("select * from urun_marka ORDER BY urunmarkaadi asc"),
         QStringLiteral("urunmarkaadi"), cboGName);
    arama->loadCategories();
    fill(Data2, QStringLiteral("select * from urun_reyon ORDER BY reyon asc"), QStringLiteral("reyon"),
         cboLocation);
    fill(Data3, QStringLiteral("select * from birimler ORDER BY birimadi asc"), QStringLiteral("birimadi"),
         cboUnit);
    Data87->setDatabaseName(file);
    Data87->setRecordSource(QStringLiteral("surum"));
    Data87->Refresh();

    Data1->setDatabaseName(file);
    Data1->setRecordSource(StokArama::kAllProducts);
    Data1->Refresh();

    const QStringList classes{QStringLiteral("1.SINIF"), QStringLiteral("2.SINIF"), QStringLiteral("3.SINIF"),
                              QStringLiteral("4.SINIF"), QStringLiteral("5.SINIF")};
    arama->loadItems(classes);
    txtSinifCombo->addItems(classes);
    txtSinifCombo->setCurrentIndex(-1);
}

void frmProduct::Form_Activate()
{
    countAndTotals();
}

void frmProduct::Command2_Click()
{
    const int n = Data1->Recordset().RecordCount();
    ceksayi7->setText(QStringLiteral("Toplam %1 Ürün Listelendi...").arg(n));
    Text7 = QString::number(n);
    if (n == 0) {
        pv::MsgBox(QStringLiteral("Ürün Bulunamadı..."), pv::vbOKOnly);
        return;
    }
    arama->topla2_Click();
}

void frmProduct::countAndTotals()
{
    Command2_Click();
    // A list with rows has had the totals read with its count: they are read once.
    if (Text7.text() == QLatin1String("0"))
        arama->topla2_Click();
}

void frmProduct::Form_QueryUnload(int &Cancel, int UnloadMode)
{
    if (!editing())
        return;
    // The close box waits for a save or cancel; the program itself (a restore, the repair
    // program, its end) must always free the file, so the pending product is dropped.
    if (UnloadMode == FormControlMenu) {
        Cancel = 1;
        return;
    }
    Data1->CancelUpdate();
}

void frmProduct::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    // A walk stopped by the close leaves every value it computed written.
    islemler->stopWalk();
}

void frmProduct::txtYetki_Change()
{
    btnYetki_Click();
}

void frmProduct::btnYetki_Click()
{
    const bool on = !editing() && txtYetki.text() != QLatin1String("1");
    ui::setEnabledWhereNot({cmdEdit, cmdDelete}, on);
}

bool frmProduct::editing() const
{
    return m_editing;
}

void frmProduct::refreshList()
{
    if (!editing())
        Data1->Refresh();
}

void frmProduct::Controlls()
{
    btnYetki_Click();
    m_editing = !m_editing;
    const bool e = m_editing, b = !e;
    // Everything that moves or re-reads the list waits for the save or cancel: the card
    // would show another product and the save would write it into the pending one.
    ui::setEnabledWhereNot({cmdFirst, cmdPrev, cmdNext, cmdLast, cmdAdd, cmdClose, BvButton2, DBGrid1}, b);
    arama->setEnabled(b);
    ui::setEnabledWhereNot({cmdSave, cmdCancel, barkodver, yokbuton, meExpire}, e);
    for (QLineEdit *box : {txtPCode, txtGName, txtBName, txtPrice, txtOnHand, txtReOrder, txtsatisfiyat,
                           txtsatisfiyat2, txtsatisfiyat3, txtSinif, txtOzelKod1, txtOzelKod2})
        box->setReadOnly(b);
    showOnly({meExpire, cboUnit, cboGName, cboLocation, txtSinifCombo, MyButton7, btnTdrkEkle}, e);
    showOnly({meExpires, txtUnit, txtGName, txtLocation}, b);
    islemler->modeChanged(e);
    // The walk cannot start while a product is pending.
    ui::setEnabled(btnTutarHesapla, b);
    btnYetki_Click();
}

QString frmProduct::priceFormat() const
{
    // While editing, the unit the row will be saved with: its own, or the one picked. The
    // drop-down alone is empty for a unit it does not list.
    return pv::priceFormatForUnit(editing() ? txtUnit->text()
                                            : Data1->Recordset().Fields(QStringLiteral("Unit")).text());
}

void frmProduct::btnParaSifirAyari_Click()
{
    const QString format = priceFormat();
    for (QLineEdit *box : {txtPrice, txtsatisfiyat, txtsatisfiyat2, txtsatisfiyat3}) {
        const QString shown = pv::Format(box->text(), format);
        if (box->text() != shown)
            box->setText(shown);
        box->setCursorPosition(int(shown.size()));
    }
}

qint64 frmProduct::currentId()
{
    pv::Recordset &rs = Data1->Recordset();
    return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
}

void frmProduct::showAtId(qint64 id)
{
    // The id is the row's key: found without reading the rows before it.
    if (const int row = Data1->Recordset().rowOfRowid(id); row >= 0)
        Data1->setCurrentRow(row);
}

// ---------------------------------------------------------------- commands

void frmProduct::cmdAdd_Click()
{
    Controlls();
    m_editId = 0;
    Data1->Recordset().AddNew();
    txtPCode->setFocus();
    const QDate today = pv::Clock::today();
    txtMonth = QString::number(today.month());
    txtYear = QString::number(today.year());
    txtKayitTarihi = pv::dateText(today);
    txtUnit->setText(cboUnit->currentText());
    // The new row has no category or supplier yet: the lists show none, as is saved.
    cboGName->setCurrentIndex(-1);
    cboLocation->setCurrentIndex(-1);
    pickText(txtSinifCombo, txtSinif->text());
    btnYetki_Click();
}

void frmProduct::cmdEdit_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (rs.RecordCount() == 0 || !rs.hasCurrent()) {
        pv::MsgBox(QStringLiteral("Kayıtlı Ürün Bulunmadı"), pv::vbCritical, QStringLiteral("Kayıt Yok"));
        return;
    }
    m_editId = currentId();
    rs.Edit();
    Controlls();
    // A stored value no longer listed stays in its box; the list keeps its last pick.
    for (auto [list, box] :
         {std::pair{cboUnit, txtUnit}, std::pair{cboGName, txtGName}, std::pair{cboLocation, txtLocation}}) {
        const int i = list->findText(box->text(), Qt::MatchExactly);
        if (i >= 0)
            list->setCurrentIndex(i);
    }
    pickText(txtSinifCombo, txtSinif->text());
    const QDate today = pv::Clock::today();
    txtMonth = QString::number(today.month());
    txtYear = QString::number(today.year());
    txtPCode->setFocus();
}

bool frmProduct::checkRequired()
{
    struct Check {
        QLineEdit *box;
        const char16_t *message;
        QWidget *focus;
    };
    const Check checks[] = {
        {txtPCode, u"Ürün Kodunu Yazın", txtPCode},
        {txtGName, u"Ürün Kategorisi Seçin", cboGName},
        {txtBName, u"Ürün Adını Yazın", txtBName},
        {txtPrice, u"Ürün Alış Fiyatını Yazın", txtPrice},
        {txtsatisfiyat, u"Ürün Satış Fiyatını Yazın", txtsatisfiyat},
        {txtUnit, u"Birimi Seçin", cboUnit},
        {txtOnHand, u"Giriş Miktarını Yazın", txtOnHand},
        {txtReOrder, u"Kritik Stok Seviyesini Yazın", txtReOrder},
    };
    for (const Check &c : checks) {
        if (c.box->text().isEmpty()) {
            pv::MsgBox(QString::fromUtf16(c.message), pv::vbExclamation, ui::kWarnTitle);
            c.focus->setFocus();
            return false;
        }
    }
    // The stamps are the card's own; without them the save stops without a word.
    return !txtYear.text().isEmpty() && !txtMonth.text().isEmpty();
}

bool frmProduct::checkValues()
{
    double v = 0;
    const QString price = QStringLiteral("Fiyat"), qty = QStringLiteral("Miktar");
    for (QLineEdit *box : {txtPrice, txtsatisfiyat, txtsatisfiyat2, txtsatisfiyat3})
        if (!ui::readAmount(box, &v, QString(), price))
            return false;
    for (QLineEdit *box : {txtOnHand, txtReOrder})
        if (!ui::readAmount(box, &v, QString(), qty))
            return false;
    QString expiry = meExpire->displayText();
    if (expiry == kEmptyExpiry)
        expiry.clear();
    if (!validExpiry(expiry)) {
        pv::MsgBox(QStringLiteral("Son kullanma tarihi geçerli bir ay olmalıdır (aa/yyyy)."),
                   pv::vbExclamation, ui::kWarnTitle);
        meExpire->setFocus();
        return false;
    }
    return true;
}

void frmProduct::cmdSave_Click()
{
    btnParaSifirAyari_Click();
    if (!checkRequired() || !checkValues())
        return;
    qint64 saved = 0;
    const pv::ledger::Result r = pv::ledger::saveProduct(m_db, m_editId, Data1->changedValues(), &saved);
    if (r) {
        Data1->CancelUpdate();
        Data1->Refresh();
        showAtId(saved);
        Controlls();
    } else if (r.reason == pv::ledger::kDuplicateProductCode) {
        pv::MsgBox(r.reason, pv::vbOKOnly);
    } else {
        pv::MsgBox(QStringLiteral("Ürün kaydedilemedi.\n") + r.reason, pv::vbCritical, ui::kErrorTitle);
    }
    btnYetki_Click();
    countAndTotals();
}

void frmProduct::cmdCancel_Click()
{
    Data1->CancelUpdate();
    Controlls();
    btnYetki_Click();
}

void frmProduct::cmdDelete_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (rs.RecordCount() == 0 || !rs.hasCurrent()) {
        pv::MsgBox(QStringLiteral("Ürün Yok"), pv::vbExclamation, Caption());
        return;
    }
    if (pv::MsgBox(QStringLiteral(" ") + txtBName->text() + QStringLiteral(" Ürünü silinsin mi?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Dikkat!")) != pv::vbYes)
        return;
    const pv::ledger::Result r = pv::ledger::deleteProduct(m_db, currentId());
    if (!r) {
        pv::MsgBox(QStringLiteral("Ürün silinemedi.\n") + r.reason, pv::vbCritical, ui::kErrorTitle);
        return;
    }
    pv::MsgBox(QStringLiteral("Ürün Silindi."), pv::vbInformation, Caption());
    Data1->Refresh();
    countAndTotals();
}

void frmProduct::cmdClose_Click()
{
    pv::Unload(this);
}

void frmProduct::cmdFirst_Click()
{
    Data1->Recordset().MoveFirst();
}
void frmProduct::cmdLast_Click()
{
    Data1->Recordset().MoveLast();
}

void frmProduct::cmdNext_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (rs.RecordCount() == 0)
        return;
    rs.MoveNext();
    if (rs.Eof())
        rs.MoveLast();
}

void frmProduct::cmdPrev_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    if (rs.RecordCount() == 0)
        return;
    rs.MovePrevious();
    if (rs.Bof())
        rs.MoveFirst();
}

void frmProduct::yokbuton_Click()
{
    meExpire->setText(kNoExpiry);
}

void frmProduct::DBGrid1_DblClick()
{
    const QModelIndex i = DBGrid1->currentIndex();
    pv::MsgBox(i.isValid() ? i.data().toString() : QString(), pv::vbOKOnly);
}

// ---------------------------------------------------------------- field rules

void frmProduct::txtPCode_Change()
{
    // Codes are A-Z and digits; "i" is "I" here, not the Turkish dotted capital.
    const QString upper = txtPCode->text().toUpper();
    if (upper != txtPCode->text()) {
        const int pos = txtPCode->cursorPosition();
        txtPCode->setText(upper);
        txtPCode->setCursorPosition(pos);
    }
}

void frmProduct::txtOnHand_Change()
{
    btnParaSifirAyari_Click();
}

bool frmProduct::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return pv::Form::eventFilter(watched, event);
    auto *ke = static_cast<QKeyEvent *>(event);
    const QString text = ke->text();
    // Keys without a character (arrows, Home, End, Tab, Enter) are not typing.
    if (text.isEmpty() || ke->key() == Qt::Key_Backspace || ke->key() == Qt::Key_Return ||
        ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Delete ||
        ke->key() == Qt::Key_Escape)
        return false;
    const QChar c = text.at(0);
    if (watched == txtPCode) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool upper = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool lower = c >= QLatin1Char('a') && c <= QLatin1Char('z');
        if (digit || upper)
            return false;
        if (lower && !txtPCode->isReadOnly())
            txtPCode->insert(QString(QChar(c.unicode() - 'a' + 'A')));
        return true;
    }
    // Stock and critical level: whole numbers without sign.
    return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

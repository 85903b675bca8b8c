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
#include "platform/forms/FormLoader.h"
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

#include <array>
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
    setEnterMovesFocus(true);

    Data1 = new pv::DataControl(this);
    // A long list opens in the time of its first keys: the grid reads the rows it shows.
    Data1->Recordset().setReadOnDemand(true);
    Data2 = new pv::DataControl(this);
    Data3 = new pv::DataControl(this);
    Data4 = new pv::DataControl(this);
    Data87 = new pv::DataControl(this);

    buildCard();
    buildPanels();
    bindCard();

    txtYetki.onChange(this, &frmProduct::txtYetki_Change);
}

frmProduct::~frmProduct()
{
    // The program's end discards the window without its unload handlers.
    islemler->stopWalk();
}

void frmProduct::buildCard()
{
    ui::loadForm(
        this, {PV_FORM_MEMBER(ceksayi7),       PV_FORM_MEMBER(txtPCode),        PV_FORM_MEMBER(barkodver),
               PV_FORM_MEMBER(txtBName),       PV_FORM_MEMBER(txtGName),        PV_FORM_MEMBER(cboGName),
               PV_FORM_MEMBER(MyButton7),      PV_FORM_MEMBER(txtPrice),        PV_FORM_MEMBER(txtsatisfiyat),
               PV_FORM_MEMBER(txtsatisfiyat2), PV_FORM_MEMBER(txtsatisfiyat3),  PV_FORM_MEMBER(txtOnHand),
               PV_FORM_MEMBER(txtUnit),        PV_FORM_MEMBER(cboUnit),         PV_FORM_MEMBER(txtReOrder),
               PV_FORM_MEMBER(meExpires),      PV_FORM_MEMBER(meExpire),        PV_FORM_MEMBER(yokbuton),
               PV_FORM_MEMBER(txtSinif),       PV_FORM_MEMBER(txtSinifCombo),   PV_FORM_MEMBER(txtOzelKod1),
               PV_FORM_MEMBER(txtOzelKod2),    PV_FORM_MEMBER(txtLocation),     PV_FORM_MEMBER(cboLocation),
               PV_FORM_MEMBER(btnTdrkEkle),    PV_FORM_MEMBER(DBGrid1),         PV_FORM_MEMBER(cmdAdd),
               PV_FORM_MEMBER(cmdEdit),        PV_FORM_MEMBER(cmdDelete),       PV_FORM_MEMBER(cmdSave),
               PV_FORM_MEMBER(cmdCancel),      PV_FORM_MEMBER(cmdClose),        PV_FORM_MEMBER(cmdFirst),
               PV_FORM_MEMBER(cmdPrev),        PV_FORM_MEMBER(cmdNext),         PV_FORM_MEMBER(cmdLast),
               PV_FORM_MEMBER(BvButton2),      PV_FORM_MEMBER(btnTutarHesapla), PV_FORM_MEMBER(btnPrint)});

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

    for (QWidget *w : {static_cast<QWidget *>(txtPCode), static_cast<QWidget *>(txtOnHand),
                       static_cast<QWidget *>(txtReOrder)})
        w->installEventFilter(this);

    connect(cboGName, &QComboBox::activated, this, [this] { txtGName->setText(cboGName->currentText()); });
    connect(cboLocation, &QComboBox::activated, this,
            [this] { txtLocation->setText(cboLocation->currentText()); });
    connect(cboUnit, &QComboBox::activated, this, [this] { txtUnit->setText(cboUnit->currentText()); });
    connect(txtSinifCombo, &QComboBox::activated, this,
            [this] { txtSinif->setText(txtSinifCombo->currentText()); });
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

std::array<QLineEdit *, 4> frmProduct::priceBoxes() const
{
    return {txtPrice, txtsatisfiyat, txtsatisfiyat2, txtsatisfiyat3};
}

void frmProduct::btnParaSifirAyari_Click()
{
    const QString format = priceFormat();
    for (QLineEdit *box : priceBoxes()) {
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
    for (QLineEdit *box : priceBoxes())
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
    if (!checkRequired() || !checkValues())
        return;
    // The prices are rounded for the row being written, with the decimals of the unit it is
    // written with. Until then they stay as typed: a unit picked after a refused save must
    // still find every digit.
    const auto boxes = priceBoxes();
    QStringList typed;
    for (QLineEdit *box : boxes)
        typed << box->text();
    btnParaSifirAyari_Click();
    qint64 saved = 0;
    const pv::ledger::Result r = pv::ledger::saveProduct(m_db, m_editId, Data1->changedValues(), &saved);
    if (r) {
        Data1->CancelUpdate();
        Data1->Refresh();
        showAtId(saved);
        Controlls();
    } else {
        for (int i = 0; i < typed.size(); ++i)
            boxes[i]->setText(typed[i]);
        if (r.reason == pv::ledger::kDuplicateProductCode)
            pv::MsgBox(r.reason, pv::vbOKOnly);
        else
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
    // While a product is added or edited its prices stay as typed: the unit the list shows
    // now need not be the one the row is saved with, and cut digits cannot come back.
    if (!editing())
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

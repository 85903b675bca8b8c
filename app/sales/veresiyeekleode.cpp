#include "app/sales/veresiyeekleode.h"

#include "app/ledger/Customers.h"
#include "app/ledger/PostingId.h"
#include "app/ledger/Postings.h"
#include "app/reports/AppReports.h"
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
#include "platform/forms/Keys.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>

#include <cmath>

namespace
{

constexpr int kNarrow = 6855; // twips: the entry panel alone, as its form file makes it
constexpr int kWide = 15525;  // with the product panel beside it
constexpr int kHeight = 4695;

const QString kPriceSql =
    QStringLiteral("SELECT [Product Code], [Generic Name], [Brand Name], "
                   "Price, SatisFiyati, SatisFiyati2, SatisFiyati3, OnHand, Unit, "
                   "[Reorder Level] FROM Product ORDER BY [Product Code], [Generic Name], "
                   "[Brand Name]");
const QString kAllByName = QStringLiteral("select * from Product ORDER BY [Brand Name] asc ");
const QString kFreeCaption = QStringLiteral("Stoktan Bağımsız Ekle / Stoktaki Ürünler");
const QString kStockCaption = QStringLiteral("Stoktan Ekle / Stoktaki Ürünler");
const QString kLowStock = QStringLiteral("Düşük Stok");
const QString kLevel1 = QStringLiteral("Satış Fiyatı 1");
const QString kLevel2 = QStringLiteral("Satış Fiyatı 2");
const QString kLevel3 = QStringLiteral("Satış Fiyatı 3");
const QString kNeeded = QStringLiteral("Gerekli Bilgi");
const QString kNoReceipt =
    QStringLiteral("Tahsilat kaydedildi, ancak makbuz yazdırılamadı; makbuz numarası kullanılmadı.");

// The two pictures of the quantity hint: an arrow pointing at the quantity, in two shades.
QPixmap hintArrow(const QColor &colour)
{
    QPixmap pm(pv::twipsToPixels(960), pv::twipsToPixels(960));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    const qreal w = pm.width(), h = pm.height();
    const QPointF arrow[] = {{w * 0.1, h * 0.4}, {w * 0.55, h * 0.4}, {w * 0.55, h * 0.2},
                             {w * 0.9, h * 0.5}, {w * 0.55, h * 0.8}, {w * 0.55, h * 0.6},
                             {w * 0.1, h * 0.6}};
    p.drawPolygon(arrow, 7);
    return pm;
}

int twipsWidthToPixels(int twips)
{
    return pv::twipsToPixels(twips);
}

} // namespace

veresiyeekleode::veresiyeekleode()
{
    setObjectName(QStringLiteral("veresiyeekleode"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    // The form and four of its panels, loaded in the order their controls were always made
    // (which is the tab order): the sale panel, its canned descriptions, the collection
    // panel, its canned descriptions, the product panel. Each description panel is a form of
    // its own because both name their frame "header".
    ui::loadForm(this,
                 {PV_FORM_MEMBER(eklefrm),       PV_FORM_MEMBER(eklefrm2),  PV_FORM_MEMBER(Label6),
                  PV_FORM_MEMBER(Text6),         PV_FORM_MEMBER(Label5),    PV_FORM_MEMBER(Text7),
                  PV_FORM_MEMBER(BvButton1),     PV_FORM_MEMBER(BvButton4), PV_FORM_MEMBER(Label7),
                  PV_FORM_MEMBER(xpText6),       PV_FORM_MEMBER(Label11),   PV_FORM_MEMBER(Text10a),
                  PV_FORM_MEMBER(Text10),        PV_FORM_MEMBER(Label10),   PV_FORM_MEMBER(Text11),
                  PV_FORM_MEMBER(Label9),        PV_FORM_MEMBER(Text12a),   PV_FORM_MEMBER(Text12),
                  PV_FORM_MEMBER(btnFormat),     PV_FORM_MEMBER(Label13),   PV_FORM_MEMBER(Text9a),
                  PV_FORM_MEMBER(Text9),         PV_FORM_MEMBER(msj),       PV_FORM_MEMBER(Image4),
                  PV_FORM_MEMBER(Image5),        PV_FORM_MEMBER(Image3),    PV_FORM_MEMBER(VornXPButton2),
                  PV_FORM_MEMBER(VornXPButton1), PV_FORM_MEMBER(bartext),   PV_FORM_MEMBER(frmAciklama)});
    ui::loadForm(frmAciklama, QStringLiteral("veresiyeekleode.frmAciklama"), this,
                 {PV_FORM_MEMBER(DBGrid1), PV_FORM_MEMBER(xpText1), PV_FORM_MEMBER(btnEkle),
                  PV_FORM_MEMBER(btnSil), PV_FORM_MEMBER(btnKapat)});
    ui::loadForm(
        this, QStringLiteral("veresiyeekleode.odefrm"), this,
        {PV_FORM_MEMBER(odefrm), PV_FORM_MEMBER(odefrm2), PV_FORM_MEMBER(Label2), PV_FORM_MEMBER(Text2),
         PV_FORM_MEMBER(Label1), PV_FORM_MEMBER(Text3), PV_FORM_MEMBER(Label4), PV_FORM_MEMBER(Text4),
         PV_FORM_MEMBER(Label3), PV_FORM_MEMBER(cboOdemeSekli), PV_FORM_MEMBER(Label8), PV_FORM_MEMBER(Text5),
         PV_FORM_MEMBER(btnFormat2), PV_FORM_MEMBER(btnMakbuz), PV_FORM_MEMBER(Image1),
         PV_FORM_MEMBER(VornXPButton9), PV_FORM_MEMBER(VornXPButton8), PV_FORM_MEMBER(frmAciklama2)});
    ui::loadForm(frmAciklama2, QStringLiteral("veresiyeekleode.frmAciklama2"), this,
                 {PV_FORM_MEMBER(DBGrid3), PV_FORM_MEMBER(xpText2), PV_FORM_MEMBER(btnEkle2),
                  PV_FORM_MEMBER(btnSil2), PV_FORM_MEMBER(btnKapat2)});
    ui::loadForm(this, QStringLiteral("veresiyeekleode.frmstok"), this,
                 {PV_FORM_MEMBER(frmstok), PV_FORM_MEMBER(xpCombo1), PV_FORM_MEMBER(xpText15),
                  PV_FORM_MEMBER(xpCombo3), PV_FORM_MEMBER(btnAktar), PV_FORM_MEMBER(BtnAktarA),
                  PV_FORM_MEMBER(BvButton3), PV_FORM_MEMBER(DBGrid2)});

    Image4->setPixmap(hintArrow(QColor(0xD0, 0x20, 0x20)));
    Image5->setPixmap(hintArrow(QColor(0xF0, 0xA0, 0xA0)));
    for (QTableView *g : {DBGrid1, DBGrid3, DBGrid2})
        g->verticalHeader()->hide();

    // ---------------------------------------------------------------- data and timer
    Data9 = new pv::DataControl(this);
    Data33 = new pv::DataControl(this);
    dbPrice = new pv::DataControl(this);
    Data11 = new pv::DataControl(this);
    Data14 = new pv::DataControl(this);
    Data9->setObjectName(QStringLiteral("Data9"));
    Data33->setObjectName(QStringLiteral("Data33"));
    dbPrice->setObjectName(QStringLiteral("dbPrice"));
    Data11->setObjectName(QStringLiteral("Data11"));
    Data14->setObjectName(QStringLiteral("Data14"));
    const QList<pv::GridColumn> texts{{QStringLiteral("Açıklamalar"), QStringLiteral("Aciklama"), 3800}};
    m_grid1 = new pv::DataGridModel(Data9, texts, this);
    m_grid1->attach(DBGrid1, twipsWidthToPixels);
    m_grid3 = new pv::DataGridModel(Data33, texts, this);
    m_grid3->attach(DBGrid3, twipsWidthToPixels);
    m_grid2 =
        new pv::DataGridModel(dbPrice,
                              {{QStringLiteral("Ürün Kodu (Barkod)"), QStringLiteral("Product Code"), 1500},
                               {QStringLiteral("Ürün Markası"), QStringLiteral("Generic Name"), 1300},
                               {QStringLiteral("Ürün Adı"), QStringLiteral("Brand Name"), 1800},
                               {QStringLiteral("Miktar"), QStringLiteral("OnHand"), 800},
                               {QStringLiteral("Birimi"), QStringLiteral("Unit"), 700},
                               {QStringLiteral("Alış Fiyatı"), QStringLiteral("Price"), 1000},
                               {QStringLiteral("Satış Fiyatı-(1)"), QStringLiteral("SatisFiyati"), 1100},
                               {QStringLiteral("Satış Fiyatı-(2)"), QStringLiteral("SatisFiyati2"), 1100},
                               {QStringLiteral("Satış Fiyatı-(3)"), QStringLiteral("SatisFiyati3"), 1100},
                               {QStringLiteral("Kritik Stok S."), QStringLiteral("Reorder Level"), 1000},
                               {QStringLiteral("Sınıfı"), QStringLiteral("Sinifi"), 900},
                               {QStringLiteral("KDV"), QStringLiteral("kdv"), 600},
                               {QStringLiteral("KDV Oran"), QStringLiteral("kdvOran"), 800}},
                              this);
    m_grid2->attach(DBGrid2, twipsWidthToPixels);
    Timer6 = new pv::Timer(400, false, this);
    Timer6->setObjectName(QStringLiteral("Timer6"));

    // ---------------------------------------------------------------- events
    connect(DBGrid1, &QTableView::doubleClicked, this, &veresiyeekleode::DBGrid1_DblClick);
    connect(DBGrid3, &QTableView::doubleClicked, this, &veresiyeekleode::DBGrid3_DblClick);
    connect(DBGrid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_listRefreshing)
            DBGrid2_RowColChange();
    });
    connect(cboOdemeSekli, &QComboBox::activated, this, &veresiyeekleode::cboOdemeSekli_Click);
    connect(xpCombo1, &QComboBox::activated, this, &veresiyeekleode::Command8_Click);
    connect(xpCombo3, &QComboBox::activated, this, &veresiyeekleode::xpCombo3_Click);
    connect(xpText15, &QLineEdit::textChanged, this, &veresiyeekleode::Command2_Click);
    // The stock total follows quantity and price at every change, not only at Enter.
    connect(Text10, &QLineEdit::textChanged, this, &veresiyeekleode::setStockTotal);
    connect(Text12, &QLineEdit::textChanged, this, &veresiyeekleode::setStockTotal);
    connect(Timer6, &pv::Timer::tick, this, &veresiyeekleode::Timer6_Timer);
    txtOnay.onChange(this, &veresiyeekleode::txtOnay_Change);
    txtFormat.onChange(this, &veresiyeekleode::txtFormat_Change);
    txtFormat2.onChange(this, &veresiyeekleode::txtFormat2_Change);

    pv::onLostFocus(Text10a, [this] { Text10a_LostFocus(); });
    pv::onLostFocus(Text12a, [this] { Text12a_LostFocus(); });
    pv::onLostFocus(Text9a, [this] { Text9a_LostFocus(); });
    pv::onLostFocus(Text5, [this] { Text5_LostFocus(); });
    pv::onLostFocus(Text6, [this] { Text6_LostFocus(); });
    pv::onLostFocus(Text2, [this] { Text2_LostFocus(); });
    pv::onGotFocus(Text10, [this] { Text10_GotFocus(); });
    pv::onGotFocus(Text12, [this] { Text12_GotFocus(); });
    pv::onDblClick(xpText6->viewport(), [this] { xpText6_DblClick(); });
    pv::onDblClick(Text4, [this] { Text4_DblClick(); });
    pv::onClick(Image4, [this] { Image4_Click(); });
    pv::onKeyPress(Text10, [this](int &k) { Text10_KeyPress(k); });
    pv::onKeyPress(Text12, [this](int &k) { Text12_KeyPress(k); });
    pv::onKeyPress(Text9, [this](int &k) { Text9_KeyPress(k); });
    // bartext lies below the visible part: a scanner's code arrives there when the
    // quantity is entered without a product.
    pv::onKeyPress(bartext, [this](int &k) { bartext_KeyPress(k); });
}

// ---------------------------------------------------------------- load and activation

void veresiyeekleode::Form_Load()
{
    const QString path = pv::databasePath();
    m_db.open(path);
    m_openedAt = pv::Clock::now();
    txtIslemNo2 = pv::ledger::uniquePostingId(m_db, m_openedAt);

    Data9->setDatabaseName(path);
    Data9->setRecordSource(QStringLiteral("select * from VeresiyeEkleAcik order by Aciklama asc"));
    Data9->Refresh();
    Data33->setDatabaseName(path);
    Data33->setRecordSource(QStringLiteral("select * from VeresiyeOdeAcik order by Aciklama asc"));
    Data33->Refresh();
    dbPrice->setDatabaseName(path);
    dbPrice->setRecordSource(kPriceSql);
    m_listRefreshing = true;
    dbPrice->Refresh();
    m_listRefreshing = false;
    // Unreadable now: no number shown; the posting reads it again and tells a failure.
    const auto receiptNumber = pv::ledger::customerReceiptNumber(m_db);
    txtFisNo = receiptNumber ? QString::number(*receiptNumber) : QString();

    const QString today = pv::dateText(m_openedAt.date());
    const QString now = pv::timeText(m_openedAt.time());
    Text2->setText(today);
    Text3->setText(now);
    Text6->setText(today);
    Text7->setText(now);
    Text11->addItem(QStringLiteral("Adet"));
    Text11->setCurrentIndex(0);
    cboOdemeSekli->addItems(
        {QStringLiteral("Nakit"), QStringLiteral("POS"), QStringLiteral("Çek"), QStringLiteral("Banka")});
    cboOdemeSekli->setCurrentIndex(0);
    xpCombo3->addItems({kLevel1, kLevel2, kLevel3});
    xpCombo3->setCurrentIndex(0);
    centre();
}

void veresiyeekleode::openAsSale(const QString &code, const QString &accountCaption, QWidget *owner)
{
    Text1 = code;
    eklefrm2->setCaption(QStringLiteral("VERESİYE EKLE - ") + accountCaption);
    eklefrm->setVisible(true);
    txtOnay = QStringLiteral("1");
    Show(pv::Form::Modal, owner);
}

void veresiyeekleode::openAsCollection(const QString &code, const QString &accountType,
                                       const QString &accountCaption, QWidget *owner)
{
    txtMusTuru = accountType;
    Text1 = code;
    odefrm2->setCaption(QStringLiteral("TAHSİLAT - ") + accountCaption);
    odefrm->setVisible(true);
    cboOdemeSekli->setCurrentIndex(cboOdemeSekli->findText(QStringLiteral("Nakit")));
    Show(pv::Form::Modal, owner);
}

void veresiyeekleode::Form_Activate()
{
    Data11->setDatabaseName(pv::databasePath());
    Data11->setRecordSource(QStringLiteral("birimler"));
    Data11->Refresh();
    birimgrup();

    Data14->setDatabaseName(pv::databasePath());
    Data14->setRecordSource(QStringLiteral("urun_marka"));
    Data14->Refresh();
    const QString category = xpCombo1->currentText();
    xpCombo1->clear();
    pv::Recordset &rs = Data14->Recordset();
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        xpCombo1->addItem(rs.Fields(QStringLiteral("urunmarkaadi")).text());
    xpCombo1->setCurrentIndex(xpCombo1->findText(category));
}

// The unit list read again; the unit chosen stays chosen when the list still holds it.
void veresiyeekleode::birimgrup()
{
    const QString unit = Text11->currentText();
    Text11->clear();
    pv::Recordset &rs = Data11->Recordset();
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        Text11->addItem(rs.Fields(QStringLiteral("birimadi")).text());
    Text11->setCurrentIndex(Text11->findText(unit));
}

void veresiyeekleode::centre()
{
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void veresiyeekleode::setDialogWidth(int twips)
{
    setClientSizeTwips(twips, kHeight);
}

// ---------------------------------------------------------------- ways out

void veresiyeekleode::VornXPButton1_Click()
{
    pv::Unload(this);
}
void veresiyeekleode::VornXPButton8_Click()
{
    pv::Unload(this);
}
void veresiyeekleode::Image4_Click()
{
    pv::Unload(this);
}

void veresiyeekleode::VornXPButton2_Click()
{
    if (txtOnay.text() == QLatin1String("1"))
        SerbestKaydet();
    else if (txtOnay.text() == QLatin1String("2"))
        StokluKaydet();
}

// ---------------------------------------------------------------- rounding and formatting

QString veresiyeekleode::moneyPattern(bool pressed) const
{
    return pressed ? pv::kMoney : pv::kMoney4;
}

void veresiyeekleode::btnFormat_Click()
{
    txtFormat = btnFormat->Value() ? QStringLiteral("1") : QStringLiteral("0");
}

void veresiyeekleode::btnFormat2_Click()
{
    txtFormat2 = btnFormat2->Value() ? QStringLiteral("1") : QStringLiteral("0");
}

void veresiyeekleode::txtFormat_Change()
{
    const QString pattern = moneyPattern(pv::Val(txtFormat) != 0);
    ui::formatMoneyBox(Text9a, pattern);
    ui::formatMoneyBox(Text12a, pattern);
    setStockTotal();
}

void veresiyeekleode::txtFormat2_Change()
{
    ui::formatMoneyBox(Text5, moneyPattern(pv::Val(txtFormat2) != 0));
}

void veresiyeekleode::Text10a_LostFocus()
{
    Text12a_LostFocus();
}

void veresiyeekleode::Text12a_LostFocus()
{
    const bool pressed = btnFormat->Value();
    const QString pattern = moneyPattern(pressed);
    if (pressed) {
        ui::formatMoneyBox(Text9a, pattern);
        ui::formatMoneyBox(Text12a, pattern);
    } else {
        ui::formatMoneyBox(Text12a, pattern);
        ui::formatMoneyBox(Text9a, pattern);
    }
}

void veresiyeekleode::Text9a_LostFocus()
{
    ui::formatMoneyBox(Text9a, moneyPattern(btnFormat->Value()));
}
void veresiyeekleode::Text5_LostFocus()
{
    ui::formatMoneyBox(Text5, moneyPattern(btnFormat2->Value()));
}
void veresiyeekleode::Text6_LostFocus()
{
    ui::formatDateBox(Text6);
}
void veresiyeekleode::Text2_LostFocus()
{
    ui::formatDateBox(Text2);
}

// The free-text line total follows quantity and price as plain number text.
void veresiyeekleode::Text10a_Change()
{
    Text12a_Change();
}

void veresiyeekleode::Text12a_Change()
{
    const auto price = pv::toNumber(Text12a->text());
    const auto quantity = pv::toNumber(Text10a->text());
    if (price && quantity)
        Text9a->setText(pv::plainNumber(*price * *quantity));
}

void veresiyeekleode::Text9a_Change()
{
    VornXPButton2->setEnabled(true);
}

void veresiyeekleode::Text9_Change()
{
    msj->hide();
    Image4->hide();
    Image5->hide();
    Timer6->setEnabled(false);
    VornXPButton2->setEnabled(true);
}

void veresiyeekleode::Timer6_Timer()
{
    const bool four = !Image4->isHidden();
    Image4->setVisible(!four);
    Image5->setVisible(four);
}

void veresiyeekleode::cboOdemeSekli_Click()
{
    Text5->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- canned descriptions

void veresiyeekleode::xpText6_DblClick()
{
    ui::place(frmAciklama, 2400, 360, 4335, 4215);
    frmAciklama->show();
    frmAciklama->raise();
}

void veresiyeekleode::Text4_DblClick()
{
    ui::place(frmAciklama2, 2400, 360, 4335, 4215);
    frmAciklama2->show();
    frmAciklama2->raise();
}

void veresiyeekleode::btnKapat_Click()
{
    frmAciklama->hide();
}
void veresiyeekleode::btnKapat2_Click()
{
    frmAciklama2->hide();
}

void veresiyeekleode::btnEkle_Click()
{
    addDescription(Data9, xpText1);
}
void veresiyeekleode::btnEkle2_Click()
{
    addDescription(Data33, xpText2);
}
void veresiyeekleode::btnSil_Click()
{
    deleteDescription(Data9);
}
void veresiyeekleode::btnSil2_Click()
{
    deleteDescription(Data33);
}

void veresiyeekleode::addDescription(pv::DataControl *list, QLineEdit *text)
{
    if (text->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Açıklama Yazın"), pv::vbOKOnly | pv::vbExclamation, ui::kWarnTitle);
        text->setFocus(Qt::OtherFocusReason);
        return;
    }
    pv::Recordset &rs = list->Recordset();
    const bool saved = rs.AddNew() && rs.Fields(0).setValue(text->text()) && rs.Update();
    if (!saved) {
        const QString reason = rs.lastError().message;
        rs.CancelUpdate();
        // The text stays in the box, so nothing typed is lost.
        pv::MsgBox(QStringLiteral("Açıklama eklenemedi.\n") + reason, pv::vbOKOnly | pv::vbExclamation,
                   ui::kWarnTitle);
        text->setFocus(Qt::OtherFocusReason);
        return;
    }
    list->Refresh();
    text->clear();
}

void veresiyeekleode::deleteDescription(pv::DataControl *list)
{
    if (pv::MsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    pv::Recordset &rs = list->Recordset();
    if (!rs.hasCurrent())
        return;
    if (!rs.Delete())
        pv::MsgBox(QStringLiteral("Açıklama silinemedi.\n") + rs.lastError().message,
                   pv::vbOKOnly | pv::vbExclamation, ui::kWarnTitle);
    list->Refresh();
}

void veresiyeekleode::DBGrid1_DblClick()
{
    pv::Recordset &rs = Data9->Recordset();
    if (!rs.hasCurrent())
        return;
    xpText6->setPlainText(rs.Fields(QStringLiteral("Aciklama")).text());
    frmAciklama->hide();
}

void veresiyeekleode::DBGrid3_DblClick()
{
    pv::Recordset &rs = Data33->Recordset();
    if (!rs.hasCurrent())
        return;
    pv::showFromStart(Text4, rs.Fields(QStringLiteral("Aciklama")).text());
    frmAciklama2->hide();
}

// ---------------------------------------------------------------- sale modes

void veresiyeekleode::BvButton1_Click()
{
    xpCombo3_Click();
    if (BvButton1->Value()) {
        BvButton4->setValue(false);
        txtOnay = QStringLiteral("2");
        frmstok->show();
        setDialogWidth(kWide);
    } else {
        frmstok->setCaption(kStockCaption);
        BvButton4->setValue(false);
        frmstok->hide();
        setDialogWidth(kNarrow);
    }
    centre();
}

void veresiyeekleode::BvButton4_Click()
{
    xpCombo3_Click();
    if (BvButton4->Value()) {
        BvButton1->setValue(false);
        txtOnay = QStringLiteral("1");
        frmstok->show();
        setDialogWidth(kWide);
    } else {
        frmstok->setCaption(kFreeCaption);
        BvButton1->setValue(false);
        frmstok->hide();
        setDialogWidth(kNarrow);
    }
    centre();
}

void veresiyeekleode::BvButton3_Click()
{
    frmstok->hide();
    xpText6->setReadOnly(false);
    Text11->setEnabled(true);
    setDialogWidth(kNarrow);
    centre();
}

void veresiyeekleode::txtOnay_Change()
{
    const QString mode = txtOnay.text();
    if (mode != QLatin1String("1") && mode != QLatin1String("2"))
        return;
    const bool stock = mode == QLatin1String("2");
    xpText6->setFocus(Qt::OtherFocusReason);
    Text9a->setVisible(!stock);
    Text10a->setVisible(!stock);
    Text12a->setVisible(!stock);
    BtnAktarA->setVisible(!stock);
    Text9->setVisible(stock);
    Text10->setVisible(stock);
    Text12->setVisible(stock);
    btnAktar->setVisible(stock);
    frmstok->setCaption(stock ? kStockCaption : kFreeCaption);
}

// Keys of the stock boxes: digits, comma, point, minus and slash, Backspace and Enter.
static bool numberKey(int k)
{
    return (k >= 44 && k <= 57) || k == 8;
}

// Quantity times price as the rounding switch shows money; empty while either box holds no
// number, so that the box never shows the total of values no longer typed.
void veresiyeekleode::setStockTotal()
{
    const pv::AmountCheck quantity = pv::checkAmount(Text10->text());
    const pv::AmountCheck price = pv::checkAmount(Text12->text());
    const bool both = quantity.status == pv::AmountStatus::Ok && price.status == pv::AmountStatus::Ok;
    Text9->setText(both ? pv::Format(quantity.value * price.value, moneyPattern(btnFormat->Value()))
                        : QString());
}

void veresiyeekleode::Text10_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13) {
        if (!numberKey(KeyAscii))
            KeyAscii = 0;
        return;
    }
    KeyAscii = 0;
    if (CheckOnHand(2, pv::toNumber(Text10->text()).value_or(0)) == kLowStock) {
        Text10->clear();
        return;
    }
    const auto quantity = pv::toNumber(Text10->text());
    if (!quantity || *quantity <= 0) {
        pv::MsgBox(QStringLiteral("Miktarı Girin."), pv::vbOKOnly | pv::vbExclamation, kNeeded);
        Text10->setFocus(Qt::OtherFocusReason);
        return;
    }
    setStockTotal();
    VornXPButton2->setFocus(Qt::OtherFocusReason);
}

void veresiyeekleode::Text12_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13) {
        if (!numberKey(KeyAscii))
            KeyAscii = 0;
        return;
    }
    KeyAscii = 0;
    const auto price = pv::toNumber(Text12->text());
    if (!price || *price <= 0) {
        pv::MsgBox(QStringLiteral("Tutarı Girin."), pv::vbOKOnly | pv::vbExclamation, kNeeded);
        Text12->setFocus(Qt::OtherFocusReason);
        return;
    }
    setStockTotal();
    Text9->setFocus(Qt::OtherFocusReason);
}

// The total only leads on to the confirmation: stock and sales log are the save's work.
void veresiyeekleode::Text9_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    VornXPButton2->setFocus(Qt::OtherFocusReason);
}

void veresiyeekleode::Text10_GotFocus()
{
    if (bartext->text().isEmpty()) {
        bartext->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (CheckOnHand(2, pv::toNumber(Text10->text()).value_or(0)) == kLowStock)
        Text10->clear();
}

void veresiyeekleode::Text12_GotFocus()
{
    if (Text12->text().isEmpty())
        return;
    if (Text10->text().isEmpty())
        Text10->setFocus(Qt::OtherFocusReason);
    else
        Text9->setFocus(Qt::OtherFocusReason);
}

void veresiyeekleode::bartext_KeyPress(int &KeyAscii)
{
    if (KeyAscii == '=') {
        KeyAscii = 0;
        bartext->setFocus(Qt::OtherFocusReason);
    } else if (KeyAscii >= 'a' && KeyAscii <= 'z') {
        KeyAscii -= 32;
    } else if (!((KeyAscii >= 'A' && KeyAscii <= 'Z') || numberKey(KeyAscii) || KeyAscii == 13)) {
        KeyAscii = 0;
    }
}

QString veresiyeekleode::CheckOnHand(int mode, double quantity)
{
    if (mode < 0 || mode > 2)
        return {};
    double onHand = 0, reorder = 0;
    QString name;
    if (mode == 2) {
        // The product the sale names, whatever row the list stands on.
        const auto product = pv::ledger::findProduct(m_db, bartext->text());
        if (!product)
            return QStringLiteral("OK");
        onHand = product->onHand;
        name = product->brandName;
    } else {
        pv::Recordset &rs = dbPrice->Recordset();
        if (!rs.hasCurrent())
            return QStringLiteral("OK");
        onHand = rs.Fields(QStringLiteral("OnHand")).value().toDouble();
        reorder = rs.Fields(QStringLiteral("Reorder Level")).value().toDouble();
        name = rs.Fields(QStringLiteral("Brand Name")).text();
    }
    const QString quoted = QStringLiteral("' ") + name;
    switch (mode) {
    case 0:
        if (onHand != 0)
            return QStringLiteral("OK");
        pv::MsgBox(quoted + QStringLiteral(" ' Ürününün Stoku Tükenmiş."), pv::vbOKOnly | pv::vbExclamation,
                   QStringLiteral("Uyarı!"));
        break;
    case 1:
        if (!(onHand < reorder))
            return QStringLiteral("OK");
        pv::MsgBox(quoted + QStringLiteral(" ' Ürünü Kritik Stok Seviyesinin Altında."),
                   pv::vbOKOnly | pv::vbExclamation, QStringLiteral("Dikkat!"));
        break;
    default: {
        const QString shortage = pv::ledger::stockShortage({{}, name, onHand, reorder}, quantity);
        if (shortage.isEmpty())
            return QStringLiteral("OK");
        pv::MsgBox(shortage, pv::vbOKOnly | pv::vbExclamation, pv::ledger::kStockWarningTitle);
        break;
    }
    }
    return kLowStock;
}

// ---------------------------------------------------------------- product panel

void veresiyeekleode::Command2_Click()
{
    const QString text = xpText15->text();
    if (!text.isEmpty())
        dbPrice->setRecordSource(
            QStringLiteral("select * from Product where [Brand Name] like ? ORDER BY [Brand Name] asc"),
            {pv::containsPattern(text)});
    else
        dbPrice->setRecordSource(kAllByName);
    m_listRefreshing = true;
    dbPrice->Refresh();
    m_listRefreshing = false;
}

void veresiyeekleode::Command8_Click()
{
    const QString category = xpCombo1->currentText();
    if (!category.isEmpty())
        dbPrice->setRecordSource(
            QStringLiteral("select * from Product where [Generic Name] like ? ORDER BY [Brand Name] asc"),
            {pv::startsWithPattern(category)});
    else
        dbPrice->setRecordSource(kAllByName);
    m_listRefreshing = true;
    dbPrice->Refresh();
    m_listRefreshing = false;
}

void veresiyeekleode::xpCombo3_Click()
{
    pv::Recordset &rs = dbPrice->Recordset();
    if (!rs.hasCurrent())
        return;
    const QString level = xpCombo3->currentText();
    const int row = rs.AbsolutePosition();
    if (level == kLevel1)
        txtUygFiyat = m_grid2->index(row, 6).data().toString();
    if (level == kLevel2)
        txtUygFiyat = m_grid2->index(row, 7).data().toString();
    if (level == kLevel3)
        txtUygFiyat = m_grid2->index(row, 8).data().toString();
}

void veresiyeekleode::transfer(bool fromStock)
{
    xpCombo3_Click();
    const int row = dbPrice->currentRow();
    auto cell = [&](int col) { return row < 0 ? QString() : m_grid2->index(row, col).data().toString(); };
    bartext->setText(cell(0));
    txtSpr2 = cell(1);
    txtSpr3 = cell(2);
    xpText6->setPlainText(cell(2) + QStringLiteral(" / ") + cell(1));
    // A unit the unit list does not hold yet is offered all the same.
    const QString unit = cell(4);
    if (!unit.isEmpty() && Text11->findText(unit) < 0)
        Text11->addItem(unit);
    Text11->setCurrentIndex(Text11->findText(unit));
    // The hint asks for the quantity until the total changes: started before the price is
    // filled in, so that a total the product's price and the quantity already give ends it.
    if (fromStock) {
        Timer6->setEnabled(true);
        msj->show();
    }
    (fromStock ? Text12 : Text12a)->setText(row < 0 ? QString() : txtUygFiyat.text());
    (fromStock ? Text10 : Text10a)->setFocus(Qt::OtherFocusReason);
    frmstok->hide();
    setDialogWidth(kNarrow);
    BvButton1->setValue(false);
    BvButton4->setValue(false);
    centre();
}

void veresiyeekleode::btnAktar_Click()
{
    transfer(true);
}
void veresiyeekleode::BtnAktarA_Click()
{
    transfer(false);
}

void veresiyeekleode::DBGrid2_RowColChange()
{
    CheckOnHand(0, 0);
    CheckOnHand(1, 0);
}

// ---------------------------------------------------------------- sale posting

void veresiyeekleode::SerbestKaydet()
{
    saveSale(false);
}
void veresiyeekleode::StokluKaydet()
{
    saveSale(true);
}

void veresiyeekleode::saveSale(bool fromStock)
{
    QLineEdit *quantityBox = fromStock ? Text10 : Text10a;
    QLineEdit *priceBox = fromStock ? Text12 : Text12a;
    QLineEdit *totalBox = fromStock ? Text9 : Text9a;
    if (xpText6->toPlainText().isEmpty())
        return ui::refuseField(xpText6, QStringLiteral("Açıklama Yazın."));
    double quantity = 0;
    if (!ui::readAmount(quantityBox, &quantity, QStringLiteral("Miktarı Girin."), QStringLiteral("Miktar")))
        return;
    if (Text11->currentText().isEmpty())
        return ui::refuseField(Text11, QStringLiteral("Birimi Seçin."));
    double price = 0;
    if (!ui::readAmount(priceBox, &price, QStringLiteral("Birim Fiyatını Yazın"), QStringLiteral("Fiyat")))
        return;
    QDate date;
    if (!ui::readDateField(Text6, &date))
        return;
    QTime time;
    if (!ui::readTime(Text7, &time))
        return;
    if (fromStock && quantity <= 0)
        return ui::refuseField(quantityBox, QStringLiteral("Miktarı Girin."));
    const double total = quantity * price;
    if (std::fabs(total) > pv::kMaxAmount) {
        // Each box within the limit, their product not: the total names the price.
        ui::refuse(priceBox, pv::amountTooLargeMessage());
        return;
    }
    if (fromStock) {
        const auto product = pv::ledger::findProduct(m_db, bartext->text());
        if (!product)
            return ui::refuseField(BvButton1, pv::ledger::kNoProduct);
        txtSpr2 = product->genericName;
        txtSpr3 = product->brandName;
        // The final quantity is checked again, however it was typed since Enter; as at Enter,
        // the warned quantity is emptied for a new one.
        if (CheckOnHand(2, quantity) == kLowStock) {
            quantityBox->clear();
            quantityBox->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    ui::formatDateBox(Text6);
    // The amount booked is the total shown: quantity times price as the rounding switch says.
    totalBox->setText(pv::Format(total, moneyPattern(btnFormat->Value())));

    pv::ledger::SaleEntry sale;
    sale.customerCode = Text1.text();
    sale.date = date;
    sale.time = time;
    sale.description = xpText6->toPlainText();
    sale.quantity = quantity;
    sale.quantityText = quantityBox->text();
    sale.unit = Text11->currentText();
    sale.unitPrice = price;
    sale.unitPriceText = priceBox->text();
    sale.total = pv::toNumber(totalBox->text()).value_or(0);
    sale.priceLevel = xpCombo3->currentText();
    sale.savedOn = pv::Clock::today();
    const pv::ledger::StockSaleLine line{bartext->text(), txtSpr2.text(), txtSpr3.text()};
    const pv::ledger::Result saved =
        fromStock ? pv::ledger::postStockSale(m_db, sale, line) : pv::ledger::postFreeSale(m_db, sale, line);
    if (!saved)
        return ui::showSaveFailed(saved.reason);
    emit posted(fromStock ? QStringLiteral("33") : QStringLiteral("22"));
    pv::Unload(this);
}

// ---------------------------------------------------------------- collection posting

void veresiyeekleode::VornXPButton9_Click()
{
    if (Text4->text().isEmpty())
        return ui::refuseField(Text4, QStringLiteral("Açıklama Yazın."));
    if (cboOdemeSekli->currentText().isEmpty())
        return ui::refuseField(cboOdemeSekli, QStringLiteral("Ödeme Şeklini Girin"));
    double amount = 0;
    if (!ui::readAmount(Text5, &amount, QStringLiteral("Ödenen Miktarı Girin.")))
        return;
    QDate date;
    if (!ui::readDateField(Text2, &date))
        return;
    QTime time;
    if (!ui::readTime(Text3, &time))
        return;
    ui::formatDateBox(Text2);
    Text3->setText(pv::timeText(time)); // as stored

    pv::ledger::CollectionEntry entry;
    entry.customerCode = Text1.text();
    entry.accountType = txtMusTuru.text();
    entry.date = date;
    entry.time = time;
    entry.description = Text4->text();
    entry.paymentKind = cboOdemeSekli->currentText();
    entry.amount = amount;
    entry.caption = odefrm2->Caption();
    entry.openedAt = m_openedAt;
    entry.savedAt = pv::Clock::now();
    entry.receipt = btnMakbuz->Value();
    tarih2txt = pv::dateKey(entry.savedAt.date());
    // The receipt is laid out on the rows just written, before they are committed.
    pv::ReportDocument receipt;
    QString unread;
    const auto print = [&](qint64 number, const QString &postingId) {
        txtFisNo = QString::number(number);
        txtIslemNo2 = postingId;
        return btnMakbuzPrnt_Click(&receipt, &unread);
    };
    pv::ledger::Posted done;
    const pv::ledger::Result saved = pv::ledger::postCollection(m_db, entry, &done, print);
    if (!saved)
        return ui::showSaveFailed(saved.reason);
    txtIslemNo2 = done.postingId;
    emit posted(QStringLiteral("11"));
    if (!unread.isEmpty())
        // The collection is saved; its receipt number stays for the next receipt.
        pv::MsgBox(QStringLiteral("Hesap okunamadı: ") + unread + QStringLiteral("\nMakbuz yazdırılmadı."),
                   pv::vbCritical, QStringLiteral("Hata"));
    if (done.receiptPrinted) {
        pv::ReportPreview preview(receipt);
        pv::execModal(&preview, this);
    } else if (entry.receipt && unread.isEmpty()) {
        // The collection stands; the receipt did not come out, and its number was not used.
        pv::MsgBox(kNoReceipt, pv::vbOKOnly | pv::vbExclamation, ui::kWarnTitle);
    }
    pv::Unload(this);
}

// Lays the receipt of the collection just written out on the layout Extre, its rows chosen
// by the posting id (txtIslemNo2); the totals are those of the database at this moment, the
// collection included. True only when the receipt came out holding the posting; a failed
// read of the totals is told through `unread`.
bool veresiyeekleode::btnMakbuzPrnt_Click(pv::ReportDocument *receipt, QString *unread)
{
    const QString code = Text1.text();
    const QVariantList posting{txtIslemNo2.text(), code};
    const QVariant held = m_db.scalar(
        QStringLiteral("select count(*) FROM veresiye WHERE islemNo2 = ? and mus_kodu = ?"), posting);
    if (!held.isValid() || held.toLongLong() == 0)
        return false;
    pv::registerAppReports();
    pv::Report &r = pv::Reports::get(QStringLiteral("Extre"));
    r.dataControl().setDatabase(m_db);
    r.dataControl().setSource(
        QStringLiteral(
            "select * FROM veresiye WHERE islemNo2 = ? and mus_kodu = ? ORDER BY Tarih2, Saat, id"),
        posting);
    const pv::ledger::Totals totals = pv::ledger::customerTotals(m_db, code);
    if (!totals.ok()) {
        if (unread)
            *unread = totals.error;
        return false;
    }
    const double debt = totals.debt;
    const double paid = totals.paid;
    const QString name =
        m_db.scalar(QStringLiteral("select MusteriFirma from musteriler where mus_kodu = ?"), {code})
            .toString();
    const QString shop = m_db.scalar(QStringLiteral("select kurumismi from dgrayr")).toString();
    r.label(QStringLiteral("Label168")).setCaption(name);
    r.label(QStringLiteral("Label173")).setCaption(pv::formatMoney(debt));
    r.label(QStringLiteral("Label175")).setCaption(pv::formatMoney(paid));
    r.label(QStringLiteral("Label177")).setCaption(pv::formatMoney(debt - paid));
    r.label(QStringLiteral("LabelFirma")).setCaption(shop);
    r.label(QStringLiteral("Label183")).setCaption(txtFisNo.text());
    for (const char *item : {"Field1", "Field2", "Field3", "Field4", "Field5", "Field6", "Field7", "Field8",
                             "Field9", "Label173", "Label175", "Label177"})
        r.control(QLatin1String(item)).setFontSize(TextSize.text());
    *receipt = r.run();
    return receipt->pageCount() > 0;
}

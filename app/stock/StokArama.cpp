#include "app/stock/StokArama.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/data/SqlFunctions.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

const QString StokArama::kAllProducts =
    QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name],[Product Code] ASC");

namespace
{

const QString kByName = QStringLiteral(" ORDER BY [Brand Name] ASC");
const QString kCode = QStringLiteral("Ara > Ürün Barkodu");
const QString kName = QStringLiteral("Ara > Ürün Adı");
const QString kCategory = QStringLiteral("Ara > Ürün Kategorisi");
const QString kClass = QStringLiteral("Ara > Ürün Sınıfı");
const QString kVatKind = QStringLiteral("Ara > Ürün KDV Türü");
const QString kVatRate = QStringLiteral("Ara > Ürün KDV Oranı");

void showMoney(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(int(text.size()));
}

} // namespace

StokArama::StokArama(QWidget &card, pv::DataControl &Data1, Hooks hooks)
    : QObject(&card), m_list(Data1), m_hooks(std::move(hooks))
{
    Data5 = new pv::DataControl(this);
    Data6 = new pv::DataControl(this);
    build(card);
}

void StokArama::build(QWidget &card)
{
    ui::loadForm(&card, QStringLiteral("frmProduct.StokArama"), this,
                 {PV_FORM_MEMBER(aramaFrame), PV_FORM_MEMBER(txtAra),      PV_FORM_MEMBER(aramatext2),
                  PV_FORM_MEMBER(aramatext),  PV_FORM_MEMBER(aramatext3),  PV_FORM_MEMBER(aramatext4),
                  PV_FORM_MEMBER(aramatext5), PV_FORM_MEMBER(Label22),     PV_FORM_MEMBER(aramatext6),
                  PV_FORM_MEMBER(btnSec),     PV_FORM_MEMBER(mnuIslemler), PV_FORM_MEMBER(zaBTN1),
                  PV_FORM_MEMBER(azBTN1),     PV_FORM_MEMBER(BvButton6),   PV_FORM_MEMBER(txtPrice2),
                  PV_FORM_MEMBER(BvButton7),  PV_FORM_MEMBER(txtPrice3),   PV_FORM_MEMBER(txtPrice4),
                  PV_FORM_MEMBER(txtPrice5),  PV_FORM_MEMBER(txtPrice6)});

    mnuTum = mnuIslemler->addAction(QStringLiteral("Tüm Ürünleri Göster"));
    mnuIslemler->addSeparator();
    mnuSou = mnuIslemler->addAction(QStringLiteral("Stokta Olan Ürünleri Göster"));
    mnuIslemler->addSeparator();
    mnukso = mnuIslemler->addAction(QStringLiteral("Kritik Stok Seviyesinde Olan Ürünler"));
    mnuIslemler->addSeparator();
    mnuskt = mnuIslemler->addAction(QStringLiteral("Son Kullanma Tarihi Geçen Ürünler"));

    connect(txtAra, &QComboBox::activated, this, &StokArama::txtAra_Click);
    connect(aramatext2, &QLineEdit::textChanged, this, &StokArama::Command1_Click);
    connect(aramatext, &QLineEdit::textChanged, this, &StokArama::Command3_Click);
    connect(aramatext3, &QComboBox::activated, this, &StokArama::aramatext3_Click);
    connect(aramatext4, &QComboBox::activated, this, &StokArama::aramatext4_Click);
    connect(aramatext5, &QComboBox::activated, this, &StokArama::aramatext5_Click);
    connect(btnSec, &BvButton::Click, this, &StokArama::stockPanelAsked);
    connect(mnuTum, &QAction::triggered, this, &StokArama::mnuTum_Click);
    connect(mnuSou, &QAction::triggered, this, &StokArama::mnuSou_Click);
    connect(mnukso, &QAction::triggered, this, &StokArama::mnukso_Click);
    connect(mnuskt, &QAction::triggered, this, &StokArama::mnuskt_Click);
}

void StokArama::loadCategories()
{
    Data5->setDatabaseName(pv::databasePath());
    Data5->setRecordSource(QStringLiteral("select * from urun_marka ORDER BY urunmarkaadi asc"));
    refillCategories();
}

void StokArama::refillCategories()
{
    if (Data5->Refresh())
        ui::fillList(Data5, QStringLiteral("urunmarkaadi"), aramatext3);
}

void StokArama::loadItems(const QStringList &classes)
{
    txtAra->addItems({kCode, kName, kCategory, kClass, kVatKind, kVatRate});
    txtAra->setCurrentIndex(0);
    aramatext3->setCurrentIndex(-1);
    aramatext4->addItems(classes);
    Data6->setDatabaseName(pv::databasePath());
}

void StokArama::setEnabled(bool on)
{
    ui::setEnabledWhereNot({btnSec, txtAra, aramatext, aramatext2, aramatext3, aramatext4, aramatext5,
                            aramatext6, azBTN1, zaBTN1},
                           on);
}

void StokArama::list(const QString &sql, const QVariantList &params)
{
    // A re-read would drop the product being added or edited.
    if (m_hooks.editing())
        return;
    m_list.setRecordSource(sql, params);
    m_list.Refresh();
}

// What was typed is matched literally as the start of the field, in the Turkish case rules.
void StokArama::prefixSearch(const QString &field, const QString &text)
{
    list(QStringLiteral("select * from Product where [%1] like ?").arg(field) + kByName,
         {pv::startsWithPattern(text)});
}

void StokArama::txtAra_Click()
{
    const QString mode = txtAra->currentText();
    QWidget *boxes[] = {aramatext, aramatext2, aramatext3, aramatext4, aramatext5, aramatext6};
    const QString modes[] = {kName, kCode, kCategory, kClass, kVatKind, kVatRate};
    int shown = -1;
    for (int i = 0; i < 6; ++i)
        if (mode == modes[i])
            shown = i;
    if (shown < 0)
        return;
    for (int i = 0; i < 6; ++i)
        boxes[i]->setVisible(i == shown);
    Label22->setVisible(shown == 5);
    aramatext->clear();
    aramatext2->clear();
    const bool narrow = shown <= 1;
    if (narrow)
        aramatext3->setCurrentIndex(-1);
    btnSec->setVisible(narrow);
    if (shown != 2)
        topla2_Click();
}

void StokArama::Command1_Click()
{
    prefixSearch(QStringLiteral("Product Code"), aramatext2->text());
}
void StokArama::Command3_Click()
{
    prefixSearch(QStringLiteral("Brand Name"), aramatext->text());
}

void StokArama::aramatext3_Click()
{
    const QString category = aramatext3->currentText();
    prefixSearch(QStringLiteral("Generic Name"), category);
    for (QLineEdit *box : {txtPrice2, txtPrice3, txtPrice4, txtPrice5})
        showMoney(box, QStringLiteral("0,00"));
    txtPrice6->setText(QStringLiteral("0"));
    topla2_Click();
    Data6->setRecordSource(
        QStringLiteral("Select sum(OnHand) as toplam from Product where [Generic Name] like ?"),
        {pv::startsWithPattern(category)});
    if (Data6->Refresh()) {
        const QVariant sum = Data6->Recordset().Fields(QStringLiteral("toplam")).value();
        txtPrice6->setText(pv::plainNumber(sum.isValid() ? sum.toDouble() : 0));
    }
}

void StokArama::aramatext4_Click()
{
    prefixSearch(QStringLiteral("Sinifi"), aramatext4->currentText());
}
void StokArama::aramatext5_Click()
{
    prefixSearch(QStringLiteral("kdv"), aramatext5->currentText());
}
void StokArama::aramatext6_Change()
{
    prefixSearch(QStringLiteral("kdvOran"), aramatext6->text());
}

void StokArama::BvButton2_Click()
{
    mnuIslemler->popup(QCursor::pos());
}

void StokArama::mnuTum_Click()
{
    list(kAllProducts);
}

void StokArama::mnuSou_Click()
{
    m_list.setDatabaseName(pv::databasePath());
    list(QStringLiteral("select * FROM Product WHERE ? <= OnHand") + kByName,
         {pv::toNumber(Text5.text()).value_or(1)});
}

void StokArama::mnukso_Click()
{
    list(QStringLiteral(
        "select * from Product where OnHand<=[Reorder Level] order by [Generic Name],[Brand Name]"));
}

void StokArama::mnuskt_Click()
{
    const QDate today = pv::Clock::today();
    tarih = pv::dateText(today).mid(3, 2) + QLatin1Char('/') + pv::dateText(today).mid(6, 4);
    // Expired: a well-formed month before this one, compared as year and month numbers;
    // "12/9999" (no expiry) lies after every month.
    m_list.setDatabaseName(pv::databasePath());
    list(
        QStringLiteral("select * from Product where [Expiration Date] GLOB '[0-9][0-9]/[0-9][0-9][0-9][0-9]' "
                       "and cast(substr([Expiration Date], 1, 2) as integer) between 1 and 12 "
                       "and cast(substr([Expiration Date], 4, 4) as integer) * 100 "
                       "+ cast(substr([Expiration Date], 1, 2) as integer) < ? "
                       "order by [Generic Name],[Brand Name]"),
        {today.year() * 100 + today.month()});
}

void StokArama::azBTN1_Click()
{
    m_list.setDatabaseName(pv::databasePath());
    list(QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name] ASC"));
}

void StokArama::zaBTN1_Click()
{
    m_list.setDatabaseName(pv::databasePath());
    list(QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name] DESC"));
}

void StokArama::topla2_Click()
{
    // The five sums in one pass over the table.
    Data6->setRecordSource(
        QStringLiteral("Select sum(AlisFiyatiTopTut) as toplam3, sum(SatisFiyatiTopTut) as toplam, "
                       "sum(SatisFiyati2TopTut) as toplam4, sum(SatisFiyati3TopTut) as toplam5, "
                       "sum(OnHand) as toplam6 from Product"));
    if (!Data6->Refresh() || !Data6->Recordset().hasCurrent())
        return;
    pv::Recordset &rs = Data6->Recordset();
    QLineEdit *boxes[] = {txtPrice2, txtPrice3, txtPrice4, txtPrice5};
    for (int i = 0; i < 4; ++i)
        showMoney(boxes[i], pv::formatMoney(rs.Fields(i).value().toDouble()));
    txtPrice6->setText(pv::plainNumber(rs.Fields(4).value().toDouble()));
}

std::optional<std::array<double, 4>> StokArama::moneySums() const
{
    pv::Recordset &rs = Data6->Recordset();
    if (!rs.hasCurrent())
        return std::nullopt;
    std::array<double, 4> sums{};
    for (int k = 0; k < 4; ++k)
        sums[k] = rs.Fields(k).value().toDouble();
    return sums;
}

void StokArama::showMoneyTotals(const std::array<double, 4> &totals)
{
    QLineEdit *boxes[] = {txtPrice2, txtPrice3, txtPrice4, txtPrice5};
    for (int k = 0; k < 4; ++k)
        boxes[k]->setText(pv::formatMoney(totals[k]));
}

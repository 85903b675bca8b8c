#include "app/stock/StokArama.h"

#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/data/DataControl.h"
#include "platform/data/SqlFunctions.h"
#include "platform/forms/Clock.h"
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

StokArama::StokArama(frmProduct &window) : QObject(&window), w(window)
{
    Data6 = new pv::DataControl(this);
    build();
}

void StokArama::build()
{
    w.aramaFrame =
        ui::frame(&w, "aramaFrame", 8640, 420, 3960, 1620, QStringLiteral("Ürün Arama & Stok Ekleme"));
    QWidget *f = w.aramaFrame;
    w.txtAra = ui::comboBox(f, "txtAra", 120, 420, 3720, 315);
    w.aramatext2 = ui::textBox(f, "aramatext2", 120, 900, 3060, 315);
    w.aramatext = ui::textBox(f, "aramatext", 120, 900, 3060, 315);
    w.aramatext3 = ui::comboBox(f, "aramatext3", 120, 900, 3720, 315);
    w.aramatext4 = ui::comboBox(f, "aramatext4", 120, 900, 3720, 315);
    w.aramatext5 = ui::comboBox(f, "aramatext5", 120, 900, 3720, 315);
    // The VAT kinds are never filled: the box only shows its design text.
    w.aramatext5->setEditable(true);
    w.aramatext5->lineEdit()->setReadOnly(true);
    w.aramatext5->setEditText(QStringLiteral("KDV DAHİL"));
    w.Label22 = ui::label(f, "Label22", 120, 900, 1500, 315, QStringLiteral("KDV Oranı % :"));
    w.aramatext6 = ui::textBox(f, "aramatext6", 1680, 900, 1020, 315);
    w.aramatext6->setAlignment(Qt::AlignCenter);
    w.btnSec = ui::button(f, "btnSec", 3240, 870, 600, 375, QStringLiteral("+/-"),
                          QStringLiteral("Seçili Ürüne Stok Girişi / Çıkışı Yap"));
    for (QWidget *hidden : {static_cast<QWidget *>(w.aramatext), static_cast<QWidget *>(w.aramatext3),
                            static_cast<QWidget *>(w.aramatext4), static_cast<QWidget *>(w.aramatext5),
                            static_cast<QWidget *>(w.aramatext6), static_cast<QWidget *>(w.Label22)})
        hidden->hide();

    // The sorts sit under the list, Z to A leftmost; the totals beside them.
    w.zaBTN1 = ui::button(&w, "zaBTN1", 120, 8760, 480, 420, QStringLiteral("Z-A"),
                          QStringLiteral("Ürünleri  Z'den > A'ya Sıralama Yap"));
    w.azBTN1 = ui::button(&w, "azBTN1", 645, 8760, 480, 420, QStringLiteral("A-Z"),
                          QStringLiteral("Ürünleri  A'dan > Z'ye Sıralama Yap"));
    const char *captionNames[] = {"BvButton6", "BvButton7", "BvButton8", "BvButton9", "BvButton10"};
    const char *boxNames[] = {"txtPrice2", "txtPrice3", "txtPrice4", "txtPrice5", "txtPrice6"};
    const QString captions[] = {QStringLiteral("Alış Fiyat Toplamı"), QStringLiteral(" Fiyatı-1 Toplamı"),
                                QStringLiteral("Fiyatı-2 Toplamı"), QStringLiteral("Fiyatı-3 Toplamı"),
                                QStringLiteral("Toplam Miktar")};
    BvButton **buttons[] = {&w.BvButton6, &w.BvButton7, &w.BvButton8, &w.BvButton9, &w.BvButton10};
    QLineEdit **boxes[] = {&w.txtPrice2, &w.txtPrice3, &w.txtPrice4, &w.txtPrice5, &w.txtPrice6};
    for (int i = 0; i < 5; ++i) {
        const double left = 1200 + i * 2280;
        *buttons[i] = ui::button(&w, captionNames[i], left, 8760, 2220, 330, captions[i]);
        (*buttons[i])->setEnabled(false);
        *boxes[i] = ui::textBox(&w, boxNames[i], left, 9120, 2220, 315,
                                i < 4 ? QStringLiteral("0,00") : QStringLiteral("0"));
        (*boxes[i])->setReadOnly(true);
        (*boxes[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    connect(w.txtAra, &QComboBox::activated, this, &StokArama::txtAra_Click);
    connect(w.aramatext2, &QLineEdit::textChanged, this, &StokArama::Command1_Click);
    connect(w.aramatext, &QLineEdit::textChanged, this, &StokArama::Command3_Click);
    connect(w.aramatext3, &QComboBox::activated, this, &StokArama::aramatext3_Click);
    connect(w.aramatext4, &QComboBox::activated, this, &StokArama::aramatext4_Click);
    connect(w.aramatext5, &QComboBox::activated, this, &StokArama::aramatext5_Click);
    connect(w.aramatext6, &QLineEdit::textChanged, this, &StokArama::aramatext6_Change);
    connect(w.BvButton2, &BvButton::Click, this, &StokArama::BvButton2_Click);
    connect(w.mnuTum, &QAction::triggered, this, &StokArama::mnuTum_Click);
    connect(w.mnuSou, &QAction::triggered, this, &StokArama::mnuSou_Click);
    connect(w.mnukso, &QAction::triggered, this, &StokArama::mnukso_Click);
    connect(w.mnuskt, &QAction::triggered, this, &StokArama::mnuskt_Click);
    connect(w.azBTN1, &BvButton::Click, this, &StokArama::azBTN1_Click);
    connect(w.zaBTN1, &BvButton::Click, this, &StokArama::zaBTN1_Click);
}

void StokArama::loadItems()
{
    w.txtAra->addItems({kCode, kName, kCategory, kClass, kVatKind, kVatRate});
    w.txtAra->setCurrentIndex(0);
    w.aramatext3->setCurrentIndex(-1);
    Data6->setDatabaseName(pv::databasePath());
}

void StokArama::list(const QString &sql, const QVariantList &params)
{
    // A re-read would drop the product being added or edited.
    if (w.editing())
        return;
    w.Data1->setRecordSource(sql, params);
    w.Data1->Refresh();
}

// What was typed is matched literally as the start of the field, in the Turkish case rules.
void StokArama::prefixSearch(const QString &field, const QString &text)
{
    list(QStringLiteral("select * from Product where [%1] like ?").arg(field) + kByName,
         {pv::startsWithPattern(text)});
}

void StokArama::txtAra_Click()
{
    const QString mode = w.txtAra->currentText();
    QWidget *boxes[] = {w.aramatext, w.aramatext2, w.aramatext3, w.aramatext4, w.aramatext5, w.aramatext6};
    const QString modes[] = {kName, kCode, kCategory, kClass, kVatKind, kVatRate};
    int shown = -1;
    for (int i = 0; i < 6; ++i)
        if (mode == modes[i])
            shown = i;
    if (shown < 0)
        return;
    for (int i = 0; i < 6; ++i)
        boxes[i]->setVisible(i == shown);
    w.Label22->setVisible(shown == 5);
    w.aramatext->clear();
    w.aramatext2->clear();
    const bool narrow = shown <= 1;
    if (narrow)
        w.aramatext3->setCurrentIndex(-1);
    w.btnSec->setVisible(narrow);
    if (shown != 2)
        topla2_Click();
}

void StokArama::Command1_Click()
{
    prefixSearch(QStringLiteral("Product Code"), w.aramatext2->text());
}
void StokArama::Command3_Click()
{
    prefixSearch(QStringLiteral("Brand Name"), w.aramatext->text());
}

void StokArama::aramatext3_Click()
{
    const QString category = w.aramatext3->currentText();
    prefixSearch(QStringLiteral("Generic Name"), category);
    for (QLineEdit *box : {w.txtPrice2, w.txtPrice3, w.txtPrice4, w.txtPrice5})
        showMoney(box, QStringLiteral("0,00"));
    w.txtPrice6->setText(QStringLiteral("0"));
    topla2_Click();
    Data6->setRecordSource(
        QStringLiteral("Select sum(OnHand) as toplam from Product where [Generic Name] like ?"),
        {pv::startsWithPattern(category)});
    if (Data6->Refresh()) {
        const QVariant sum = Data6->Recordset().Fields(QStringLiteral("toplam")).value();
        w.txtPrice6->setText(pv::plainNumber(sum.isValid() ? sum.toDouble() : 0));
    }
}

void StokArama::aramatext4_Click()
{
    prefixSearch(QStringLiteral("Sinifi"), w.aramatext4->currentText());
}
void StokArama::aramatext5_Click()
{
    prefixSearch(QStringLiteral("kdv"), w.aramatext5->currentText());
}
void StokArama::aramatext6_Change()
{
    prefixSearch(QStringLiteral("kdvOran"), w.aramatext6->text());
}

void StokArama::BvButton2_Click()
{
    w.mnuIslemler->popup(QCursor::pos());
}

void StokArama::mnuTum_Click()
{
    list(kAllProducts);
}

void StokArama::mnuSou_Click()
{
    w.Data1->setDatabaseName(pv::databasePath());
    list(QStringLiteral("select * FROM Product WHERE ? <= OnHand") + kByName,
         {pv::toNumber(w.Text5.text()).value_or(1)});
}

void StokArama::mnukso_Click()
{
    list(QStringLiteral(
        "select * from Product where OnHand<=[Reorder Level] order by [Generic Name],[Brand Name]"));
}

void StokArama::mnuskt_Click()
{
    const QDate today = pv::Clock::today();
    w.tarih = pv::dateText(today).mid(3, 2) + QLatin1Char('/') + pv::dateText(today).mid(6, 4);
    // Expired: a well-formed month before this one, compared as year and month numbers;
    // "12/9999" (no expiry) lies after every month.
    w.Data1->setDatabaseName(pv::databasePath());
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
    w.Data1->setDatabaseName(pv::databasePath());
    list(QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name] ASC"));
}

void StokArama::zaBTN1_Click()
{
    w.Data1->setDatabaseName(pv::databasePath());
    list(QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name] DESC"));
}

void StokArama::Command2_Click()
{
    const int n = w.Data1->Recordset().RecordCount();
    w.ceksayi7->setText(QStringLiteral("Toplam %1 Ürün Listelendi...").arg(n));
    w.Text7 = QString::number(n);
    if (n == 0) {
        pv::MsgBox(QStringLiteral("Ürün Bulunamadı..."), pv::vbOKOnly);
        return;
    }
    topla2_Click();
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
    QLineEdit *boxes[] = {w.txtPrice2, w.txtPrice3, w.txtPrice4, w.txtPrice5};
    for (int i = 0; i < 4; ++i)
        showMoney(boxes[i], pv::formatMoney(rs.Fields(i).value().toDouble()));
    w.txtPrice6->setText(pv::plainNumber(rs.Fields(4).value().toDouble()));
}

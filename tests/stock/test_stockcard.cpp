// The stock card driven as a shop owner uses it, opened from the main window's
// "Stok İşlemleri": browsing, adding, editing, deleting, searches, lists, categories,
// suppliers, totals and price decimals.
#include "app/shell/veresiye.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/UrunGruplari.h"
#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Timer.h"
#include "platform/report/ReportPreview.h"
#include "tests/harness/Harness.h"
#include "tests/stock/StockFixtures.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;
using namespace stockfixtures;

namespace
{

// A complete new product typed on the card.
void fillCard(frmProduct &f, const QString &code, const QString &name,
              const QString &category = QStringLiteral("Çay"))
{
    Harness::type(f.txtPCode, code);
    if (!category.isEmpty())
        pick(f.cboGName, category);
    Harness::type(f.txtBName, name);
    Harness::type(f.txtPrice, QStringLiteral("2,5"));
    Harness::type(f.txtsatisfiyat, QStringLiteral("3"));
    pick(f.cboUnit, QStringLiteral("Adet"));
    Harness::type(f.txtOnHand, QStringLiteral("10"));
    Harness::type(f.txtReOrder, QStringLiteral("2"));
}

QList<QVariantList> allProducts(Harness &h)
{
    return h.rows(QStringLiteral("SELECT * FROM Product ORDER BY id"));
}

} // namespace

class TestStockCard : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void rights_data();
    void rights();
    void editModeLocksTheWindow();
    void pendingProductKeptWhateverIsClicked_data();
    void pendingProductKeptWhateverIsClicked();
    void navigationStopsAtTheEnds();
    void requiredFieldsInOrder_data();
    void requiredFieldsInOrder();
    void codeKeys();
    void addingAProduct();
    void duplicateCode();
    void saveFailureKeepsEverything();
    void valuesRefused_data();
    void valuesRefused();
    void editRestampsAndKeepsTheRest();
    void cancelWritesNothing();
    void deletingAProduct_data();
    void deletingAProduct();
    void emptyList();
    void searches_data();
    void searches();
    void leavingTheNameModeListsEveryNamedProduct();
    void categoryChoice();
    void lists_data();
    void lists();
    void sortsAfterASearch();
    void categoriesAndSuppliers_data();
    void categoriesAndSuppliers();
    void namePanelRefusesBlank();
    void deleteNames();
    void totals();
    void emptyTotals();
    void longListReadByScreens();
    void weightPricesShowThreeDecimals();
    void priceDecimalsOfTheUnitSaved_data();
    void priceDecimalsOfTheUnitSaved();
    void typedPricesWaitForTheSave_data();
    void typedPricesWaitForTheSave();
    void addStartsWithoutCategoryAndSupplier();
    void longTextsShowTheirStart();
    void addedNamesOfferedAtOnce_data();
    void addedNamesOfferedAtOnce();
};

void TestStockCard::cleanup()
{
    pv::discardAllForms(true);
}

void TestStockCard::rights_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cashier") << "1" << false;
    QTest::newRow("full") << "0" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("other") << "x" << true;
}

void TestStockCard::rights()
{
    QFETCH(QString, rights);
    QFETCH(bool, enabled);
    Harness h;
    addProduct(h, {"P1", "Çaykur"});
    frmProduct &f = openCard(rights);
    QCOMPARE(f.Caption(), QStringLiteral("Kapsamlı Stok Kartı İşlemleri"));
    QCOMPARE(f.txtYetki.text(), rights);
    QCOMPARE(f.cmdEdit->Enabled(), enabled);
    QCOMPARE(f.cmdDelete->Enabled(), enabled);
    QVERIFY(f.cmdAdd->Enabled());
    QCOMPARE(f.txtPCode->text(), QStringLiteral("P1"));
    QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 1 Ürün Listelendi..."));
    // Edit mode keeps both off whatever the rights; back in browse mode the rights rule.
    Harness::click(f.cmdAdd);
    QVERIFY(!f.cmdEdit->Enabled());
    QVERIFY(!f.cmdDelete->Enabled());
    Harness::click(f.cmdCancel);
    QCOMPARE(f.cmdEdit->Enabled(), enabled);
    QCOMPARE(f.cmdDelete->Enabled(), enabled);
}

void TestStockCard::editModeLocksTheWindow()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Çaykur"});
    frmProduct &f = openCard();
    const auto before = allProducts(h);
    Harness::click(f.cmdAdd);
    QVERIFY(f.editing());
    const std::initializer_list<QWidget *> searches{
        f.DBGrid1,           f.arama->txtAra,     f.arama->aramatext,  f.arama->aramatext2,
        f.arama->aramatext3, f.arama->aramatext4, f.arama->aramatext5, f.arama->aramatext6};
    const std::initializer_list<BvButton *> moves{
        f.cmdFirst,  f.cmdPrev,       f.cmdNext,       f.cmdLast,       f.cmdClose,       f.cmdAdd,
        f.BvButton2, f.arama->btnSec, f.arama->azBTN1, f.arama->zaBTN1, f.btnTutarHesapla};
    for (QWidget *w : searches)
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (BvButton *b : moves)
        QVERIFY2(!b->Enabled(), qPrintable(b->objectName()));
    for (BvButton *b : {f.cmdSave, f.cmdCancel, f.barkodver, f.yokbuton})
        QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
    QVERIFY(!f.txtPCode->isReadOnly());
    QVERIFY(f.cboGName->isVisibleTo(&f) && !f.txtGName->isVisibleTo(&f));
    QVERIFY(f.meExpire->isVisibleTo(&f) && !f.meExpires->isVisibleTo(&f));
    QVERIFY(f.MyButton7->isVisibleTo(&f) && f.btnTdrkEkle->isVisibleTo(&f));
    QVERIFY(f.txtPCode->text().isEmpty());
    Harness::type(f.txtPCode, QStringLiteral("NEW1"));

    // The close box is refused.
    f.close();
    Harness::settle();
    QVERIFY(pv::isLoaded<frmProduct>());

    // The stock button again: the level written, the pending product kept.
    openCard(QStringLiteral("1"));
    QVERIFY(f.editing());
    QCOMPARE(f.txtPCode->text(), QStringLiteral("NEW1"));
    QCOMPARE(f.txtYetki.text(), QStringLiteral("1"));

    // Enter moves on as Tab does, in the card's order.
    f.txtPCode->setFocus();
    Harness::key(f.txtPCode, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.txtBName);
    QCOMPARE(f.txtPCode->text(), QStringLiteral("NEW1"));

    // Back in browse mode all of them are usable again.
    Harness::click(f.cmdCancel);
    for (QWidget *w : searches)
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    for (BvButton *b : moves)
        QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
    Harness::click(f.cmdAdd);
    Harness::type(f.txtPCode, QStringLiteral("NEW2"));

    // A restore frees the file: the card closes, nothing written.
    ui::unloadOtherForms(&pv::form<veresiye>());
    QVERIFY(!pv::isLoaded<frmProduct>());
    QCOMPARE(allProducts(h), before);
}

void TestStockCard::pendingProductKeptWhateverIsClicked_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("adding");
    // Every control that moves or re-reads the list, and the panels open while editing.
    const QStringList controls =
        QStringLiteral(
            "A-Z|Z-A|class search|VAT kind search|VAT rate search|code search|name search|category search|"
            "search mode|all products|in stock|critical stock|expired|first|previous|next|last|grid|"
            "stock button|stock in and out|value walk|print|add|edit|delete|close|categories|suppliers")
            .split(QLatin1Char('|'));
    for (const QString &c : controls)
        for (bool adding : {false, true})
            QTest::addRow("%s, %s", qPrintable(c), adding ? "adding" : "editing") << c << adding;
}

// Whatever the user reaches while a product is pending, the card keeps showing it and the
// save writes it into its own row (a new one when adding), no other.
void TestStockCard::pendingProductKeptWhateverIsClicked()
{
    QFETCH(QString, control);
    QFETCH(bool, adding);
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addSupplier(h, QStringLiteral("Toptancı"));
    addProduct(h, {"A1", "Ayran", "Çay", 1, 5, 1, 1, "Adet", "01/2020", "2.SINIF", 18.0});
    addProduct(h, {"B1", "Bal", "Çay"});
    addProduct(h, {"Z1", "Zeytin", "Çay"});
    frmProduct &f = openCard();
    QString code = QStringLiteral("Z1"), name = QStringLiteral("Siyah Zeytin");
    if (adding) {
        Harness::click(f.cmdAdd);
        code = QStringLiteral("YENI");
        name = QStringLiteral("Kaymak");
        fillCard(f, code, name);
    } else {
        Harness::click(f.cmdLast);
        Harness::click(f.cmdEdit);
        f.txtBName->selectAll();
        Harness::type(f.txtBName, name);
    }
    QCOMPARE(f.txtBName->text(), name);

    auto namesPanel = [&](BvButton *open, BvButton *add, QLineEdit *box, BvButton *save, QTableView *grid,
                          BvButton *remove, BvButton *close, const QString &saved) {
        Harness::click(open);
        Harness::click(add);
        Harness::type(box, QStringLiteral("Öz Gıda"));
        h.expectMsgBox(saved, pv::vbInformation, QStringLiteral("Bilgi"));
        Harness::click(save);
        const QModelIndexList found = grid->model()->match(grid->model()->index(0, 0), Qt::DisplayRole,
                                                           QStringLiteral("Öz Gıda"), 1, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        grid->selectRow(found.first().row());
        h.expectMsgBox(QStringLiteral("Öz Gıda\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbYes);
        Harness::click(remove);
        Harness::click(close);
    };
    const QHash<QString, std::function<void()>> actions{
        {"A-Z", [&] { Harness::click(f.arama->azBTN1); }},
        {"Z-A", [&] { Harness::click(f.arama->zaBTN1); }},
        {"class search", [&] { pick(f.arama->aramatext4, QStringLiteral("2.SINIF")); }},
        {"VAT kind search", [&] { emit f.arama->aramatext5->activated(0); }},
        {"VAT rate search", [&] { Harness::type(f.arama->aramatext6, QStringLiteral("18")); }},
        {"code search", [&] { Harness::type(f.arama->aramatext2, QStringLiteral("A")); }},
        {"name search", [&] { Harness::type(f.arama->aramatext, QStringLiteral("A")); }},
        {"category search", [&] { pick(f.arama->aramatext3, QStringLiteral("Çay")); }},
        {"search mode", [&] { pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı")); }},
        {"all products", [&] { f.arama->mnuTum->trigger(); }},
        {"in stock", [&] { f.arama->mnuSou->trigger(); }},
        {"critical stock", [&] { f.arama->mnukso->trigger(); }},
        {"expired", [&] { f.arama->mnuskt->trigger(); }},
        {"first", [&] { Harness::click(f.cmdFirst); }},
        {"previous", [&] { Harness::click(f.cmdPrev); }},
        {"next", [&] { Harness::click(f.cmdNext); }},
        {"last", [&] { Harness::click(f.cmdLast); }},
        {"grid",
         [&] {
             const QRect cell = f.DBGrid1->visualRect(f.DBGrid1->model()->index(0, 1));
             QTest::mouseClick(f.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
         }},
        {"stock button", [&] { openCard(); }},
        {"stock in and out",
         [&] {
             Harness::click(f.arama->btnSec);
             f.islemler->xpText3->setText(QStringLiteral("3"));
             Harness::click(f.islemler->BvButton5);
             Harness::click(f.islemler->BvButton16);
         }},
        {"value walk",
         [&] {
             Harness::click(f.btnTutarHesapla);
             for (int i = 0; i < 5; ++i)
                 Harness::fire(*f.islemler->Timer1);
         }},
        {"print",
         [&] {
             h.onModal<pv::ReportPreview>([](pv::ReportPreview &p) { p.close(); });
             Harness::click(f.btnPrint);
             Harness::settle();
         }},
        {"add", [&] { Harness::click(f.cmdAdd); }},
        {"edit", [&] { Harness::click(f.cmdEdit); }},
        {"delete", [&] { Harness::click(f.cmdDelete); }},
        {"close", [&] { Harness::click(f.cmdClose); }},
        {"categories",
         [&] {
             namesPanel(f.MyButton7, f.gruplar->MyButton2, f.gruplar->Text1, f.gruplar->ekles,
                        f.gruplar->DBGrid2, f.gruplar->MyButton1, f.gruplar->vekbutton6,
                        QStringLiteral("Ürün Markası Kaydedildi. "));
         }},
        {"suppliers",
         [&] {
             namesPanel(f.btnTdrkEkle, f.gruplar->vekbutton4, f.gruplar->Text2, f.gruplar->ekle2,
                        f.gruplar->DBGrid3, f.gruplar->vekbutton2, f.gruplar->vekbutton5,
                        QStringLiteral("Tedarikçi Firma Kaydedildi. "));
         }},
    };
    QVERIFY(actions.contains(control));
    actions.value(control)();
    Harness::settle();

    QVERIFY(pv::isLoaded<frmProduct>());
    QVERIFY(f.editing());
    QCOMPARE(f.txtPCode->text(), code);
    QCOMPARE(f.txtBName->text(), name);
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(f.txtBName->text(), name);
    QList<QVariantList> expected{{1, "A1", "Ayran", 1.0}, {2, "B1", "Bal", 10.0}, {3, "Z1", "Zeytin", 10.0}};
    if (adding)
        expected.append({4, code, name, 10.0});
    else
        expected[2][2] = name;
    QCOMPARE(
        h.rows(QStringLiteral("SELECT id, [Product Code], [Brand Name], OnHand FROM Product ORDER BY id")),
        expected);
    QCOMPARE(
        h.value(QStringLiteral("SELECT count(*) FROM Product WHERE AlisFiyatiTopTut IS NOT NULL")).toInt(),
        0);
}

void TestStockCard::navigationStopsAtTheEnds()
{
    Harness h;
    addProduct(h, {"P1", "Armut"});
    addProduct(h, {"P2", "Elma"});
    frmProduct &f = openCard();
    Harness::click(f.cmdPrev);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
    Harness::click(f.cmdNext);
    Harness::click(f.cmdNext);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Elma"));
    Harness::click(f.cmdFirst);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
    Harness::click(f.cmdLast);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Elma"));
    h.expectMsgBox(QStringLiteral("Elma"), pv::vbOKOnly, QStringLiteral("Pelvanor"));
    f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(1, 1));
    f.DBGrid1_DblClick();
}

void TestStockCard::requiredFieldsInOrder_data()
{
    QTest::addColumn<int>("filled"); // how many of the fields below are filled
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("nothing") << 0 << "Ürün Kodunu Yazın"
                             << "txtPCode";
    QTest::newRow("code") << 1 << "Ürün Kategorisi Seçin"
                          << "cboGName";
    QTest::newRow("category") << 2 << "Ürün Adını Yazın"
                              << "txtBName";
    QTest::newRow("name") << 3 << "Ürün Alış Fiyatını Yazın"
                          << "txtPrice";
    QTest::newRow("price") << 4 << "Ürün Satış Fiyatını Yazın"
                           << "txtsatisfiyat";
    QTest::newRow("sale price") << 5 << "Birimi Seçin"
                                << "cboUnit";
    QTest::newRow("unit") << 6 << "Giriş Miktarını Yazın"
                          << "txtOnHand";
    QTest::newRow("stock") << 7 << "Kritik Stok Seviyesini Yazın"
                           << "txtReOrder";
}

void TestStockCard::requiredFieldsInOrder()
{
    QFETCH(int, filled);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Çaykur"});
    frmProduct &f = openCard();
    f.activateWindow();
    Harness::click(f.cmdAdd);
    const std::function<void()> steps[] = {
        [&] { Harness::type(f.txtPCode, QStringLiteral("X1")); },
        [&] { pick(f.cboGName, QStringLiteral("Çay")); },
        [&] { Harness::type(f.txtBName, QStringLiteral("Yeni")); },
        [&] { Harness::type(f.txtPrice, QStringLiteral("1")); },
        [&] { Harness::type(f.txtsatisfiyat, QStringLiteral("2")); },
        [&] { pick(f.cboUnit, QStringLiteral("Adet")); },
        [&] { Harness::type(f.txtOnHand, QStringLiteral("5")); },
    };
    for (int i = 0; i < filled; ++i)
        steps[i]();
    const auto before = allProducts(h);
    h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(f.cmdSave);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(f.focusWidget()->objectName(), focus);
    QVERIFY(f.editing());
    QCOMPARE(allProducts(h), before);
}

void TestStockCard::codeKeys()
{
    Harness h;
    addProduct(h, {"P1", "Çaykur"});
    frmProduct &f = openCard();
    // Browsing: the code cannot be typed over.
    Harness::type(f.txtPCode, QStringLiteral("a"));
    QCOMPARE(f.txtPCode->text(), QStringLiteral("P1"));
    Harness::click(f.cmdAdd);
    Harness::type(f.txtPCode, QStringLiteral("ab-12ç"));
    QCOMPARE(f.txtPCode->text(), QStringLiteral("AB12"));
    // Pasted or generated text is upper-cased too, "i" as "I".
    f.txtPCode->setText(QStringLiteral("xi9"));
    QCOMPARE(f.txtPCode->text(), QStringLiteral("XI9"));
    Harness::type(f.txtOnHand, QStringLiteral("1-2,5a"));
    QCOMPARE(f.txtOnHand->text(), QStringLiteral("125"));
    Harness::type(f.txtReOrder, QStringLiteral("+7x"));
    QCOMPARE(f.txtReOrder->text(), QStringLiteral("7"));
    Harness::click(f.cmdCancel);
}

void TestStockCard::addingAProduct()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addSupplier(h, QStringLiteral("Toptancı"));
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("YENI1"), QStringLiteral("Bal"));
    pick(f.cboLocation, QStringLiteral("Toptancı"));
    pick(f.txtSinifCombo, QStringLiteral("2.SINIF"));
    Harness::click(f.yokbuton);
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    const auto row =
        h.rows(QStringLiteral("SELECT [Product Code], [Generic Name], [Brand Name], Price, SatisFiyati, "
                              "SatisFiyati2, Unit, OnHand, [Reorder Level], SaticiFirma, Sinifi, "
                              "[Expiration Date], KayitTarihi, \"Month\", \"Year\", AlisFiyatiTopTut "
                              "FROM Product WHERE [Product Code] = 'YENI1'"));
    QCOMPARE(row.size(), 1);
    QCOMPARE(row[0], (QVariantList{"YENI1", "Çay", "Bal", 2.5, 3.0, QVariant(), "Adet", 10.0, 2.0, "Toptancı",
                                   "2.SINIF", "12/9999", "10.12.2026", 12, 2026, QVariant()}));
    // The card shows the saved product; the count follows.
    QCOMPARE(f.txtBName->text(), QStringLiteral("Bal"));
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,50"));
    QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 2 Ürün Listelendi..."));
    QCOMPARE(f.Text7.text(), QStringLiteral("2"));
}

void TestStockCard::duplicateCode()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("P1"), QStringLiteral("Bal"));
    h.expectMsgBox(QStringLiteral("BU ÜRÜN KODU STOKLARDA MEVCUT..."), pv::vbOKOnly,
                   QStringLiteral("Pelvanor"));
    Harness::click(f.cmdSave);
    QVERIFY(f.editing());
    QCOMPARE(f.txtPCode->text(), QStringLiteral("P1"));
    QCOMPARE(f.txtBName->text(), QStringLiteral("Bal"));
    QCOMPARE(f.txtGName->text(), QStringLiteral("Çay"));
    QCOMPARE(f.txtOnHand->text(), QStringLiteral("10"));
    // Nothing was written: the prices are as typed, for a unit still to be corrected.
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,5"));
    QCOMPARE(f.txtsatisfiyat->text(), QStringLiteral("3"));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), 1);
    f.txtPCode->setText(QStringLiteral("P2"));
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(
        h.value(QStringLiteral("SELECT [Brand Name] FROM Product WHERE [Product Code] = 'P2'")).toString(),
        QStringLiteral("Bal"));
}

void TestStockCard::saveFailureKeepsEverything()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Armut"});
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER noinsert BEFORE INSERT ON Product BEGIN SELECT RAISE(ABORT, 'disk dolu'); END")));
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("NEW"), QStringLiteral("Bal"));
    h.expectMsgBox(QStringLiteral("Ürün kaydedilemedi.\ndisk dolu"), pv::vbCritical, QStringLiteral("Hata"));
    Harness::click(f.cmdSave);
    QVERIFY(f.editing());
    QCOMPARE(f.txtPCode->text(), QStringLiteral("NEW"));
    QCOMPARE(f.txtBName->text(), QStringLiteral("Bal"));
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,5"));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), 1);
    QVERIFY(h.exec(QStringLiteral("DROP TRIGGER noinsert")));
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), 2);
}

void TestStockCard::valuesRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QVariant>("stored");
    const QString price = QStringLiteral("Fiyat geçerli bir sayı olmalıdır (ör. 1.234,50).");
    const QString expiry = QStringLiteral("Son kullanma tarihi geçerli bir ay olmalıdır (aa/yyyy).");
    QTest::newRow("price with comma") << "txtPrice"
                                      << "12,5"
                                      << "" << QVariant(12.5);
    QTest::newRow("price grouped") << "txtPrice"
                                   << "1.234,50"
                                   << "" << QVariant(1234.5);
    QTest::newRow("price letters") << "txtPrice"
                                   << "abc" << price << QVariant();
    QTest::newRow("sale price 3 letters") << "txtsatisfiyat3"
                                          << "x" << price << QVariant();
    QTest::newRow("price too large") << "txtPrice"
                                     << "1000000000000"
                                     << "Fiyat en fazla 999.999.999.999,99 olabilir." << QVariant();
    QTest::newRow("month 13") << "meExpire"
                              << "13/2026" << expiry << QVariant();
    QTest::newRow("month half typed") << "meExpire"
                                      << "1_/2026" << expiry << QVariant();
    QTest::newRow("no expiry") << "meExpire"
                               << "12/9999"
                               << "" << QVariant("12/9999");
    QTest::newRow("expiry empty") << "meExpire"
                                  << ""
                                  << "" << QVariant();
    QTest::newRow("expiry month") << "meExpire"
                                  << "03/2027"
                                  << "" << QVariant("03/2027");
}

void TestStockCard::valuesRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QVariant, stored);
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("NEW"), QStringLiteral("Bal"));
    auto *edit = f.findChild<QLineEdit *>(box);
    QVERIFY(edit);
    edit->setText(text);
    if (!message.isEmpty())
        h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(f.cmdSave);
    const QString column = box == QLatin1String("meExpire")   ? QStringLiteral("[Expiration Date]")
                           : box == QLatin1String("txtPrice") ? QStringLiteral("Price")
                                                              : QStringLiteral("SatisFiyati3");
    if (message.isEmpty()) {
        QVERIFY(!f.editing());
        QCOMPARE(h.value(QStringLiteral("SELECT %1 FROM Product WHERE [Product Code] = 'NEW'").arg(column)),
                 stored);
    } else {
        QVERIFY(f.editing());
        QCOMPARE(f.focusWidget(), edit);
        QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), 1);
    }
}

void TestStockCard::editRestampsAndKeepsTheRest()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Armut", "Eski kategori"});
    QVERIFY(h.exec(
        QStringLiteral("UPDATE Product SET KayitTarihi = '01.02.2020', \"Month\" = 2, \"Year\" = 2020, "
                       "AlisFiyatiTopTut = 25, kdv = 'KDV DAHİL', Price = 2.125, Unit = 'Kg'")));
    frmProduct &f = openCard();
    Harness::click(f.cmdEdit);
    QVERIFY(f.editing());
    QCOMPARE(f.txtGName->text(), QStringLiteral("Eski kategori"));
    QCOMPARE(f.cboUnit->currentText(), QStringLiteral("Kg"));
    f.txtBName->setText(QStringLiteral("Armut Deveci"));
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    const auto row =
        h.rows(QStringLiteral("SELECT [Brand Name], [Generic Name], KayitTarihi, \"Month\", \"Year\", "
                              "AlisFiyatiTopTut, kdv, Price, OnHand FROM Product"));
    QCOMPARE(row[0], (QVariantList{"Armut Deveci", "Eski kategori", "01.02.2020", 12, 2026, 25.0, "KDV DAHİL",
                                   2.125, 10.0}));
}

void TestStockCard::cancelWritesNothing()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    const auto before = allProducts(h);
    Harness::click(f.cmdEdit);
    f.txtBName->setText(QStringLiteral("Başka"));
    Harness::click(f.cmdCancel);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("NEW"), QStringLiteral("Bal"));
    Harness::click(f.cmdCancel);
    QVERIFY(!f.editing());
    QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
    QCOMPARE(allProducts(h), before);
}

void TestStockCard::deletingAProduct_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("failure");
    QTest::addColumn<int>("left");
    QTest::newRow("no") << int(pv::vbNo) << false << 2;
    QTest::newRow("yes") << int(pv::vbYes) << false << 1;
    QTest::newRow("refused by the database") << int(pv::vbYes) << true << 2;
}

void TestStockCard::deletingAProduct()
{
    QFETCH(int, answer);
    QFETCH(bool, failure);
    QFETCH(int, left);
    Harness h;
    addProduct(h, {"P1", "Armut"});
    addProduct(h, {"P2", "Elma"});
    if (failure)
        QVERIFY(h.exec(QStringLiteral(
            "CREATE TRIGGER nodelete BEFORE DELETE ON Product BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    frmProduct &f = openCard();
    Harness::click(f.cmdLast);
    h.expectMsgBox(QStringLiteral(" Elma Ürünü silinsin mi?"), pv::vbYesNo | pv::vbQuestion,
                   QStringLiteral("Dikkat!"), answer);
    if (failure)
        h.expectMsgBox(QStringLiteral("Ürün silinemedi.\nkilitli"), pv::vbCritical, QStringLiteral("Hata"));
    else if (answer == pv::vbYes)
        h.expectMsgBox(QStringLiteral("Ürün Silindi."), pv::vbInformation, f.Caption());
    Harness::click(f.cmdDelete);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), left);
    if (left == 1) {
        QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
        QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 1 Ürün Listelendi..."));
    } else {
        QCOMPARE(f.txtBName->text(), QStringLiteral("Elma"));
    }
}

void TestStockCard::emptyList()
{
    Harness h;
    h.expectMsgBox(QStringLiteral("Ürün Bulunamadı..."), pv::vbOKOnly, QStringLiteral("Pelvanor"));
    frmProduct &f = openCard();
    QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 0 Ürün Listelendi..."));
    QCOMPARE(h.msgBoxes().size(), 1);
    h.expectMsgBox(QStringLiteral("Kayıtlı Ürün Bulunmadı"), pv::vbCritical, QStringLiteral("Kayıt Yok"));
    Harness::click(f.cmdEdit);
    h.expectMsgBox(QStringLiteral("Ürün Yok"), pv::vbExclamation, f.Caption());
    Harness::click(f.cmdDelete);
    Harness::click(f.cmdNext);
    Harness::click(f.cmdPrev);
    QVERIFY(f.txtPCode->text().isEmpty());
}

void TestStockCard::searches_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("name, Turkish ç") << "Ara > Ürün Adı"
                                     << "çay" << QStringList{"Çaykur"};
    QTest::newRow("name, dotted i") << "Ara > Ürün Adı"
                                    << "i" << QStringList{"İnci"};
    QTest::newRow("name, dotless I") << "Ara > Ürün Adı"
                                     << "ı" << QStringList{"Ilık"};
    QTest::newRow("name, apostrophe") << "Ara > Ürün Adı"
                                      << "d'" << QStringList{"D'Arte"};
    QTest::newRow("name, star literal") << "Ara > Ürün Adı"
                                        << "*" << QStringList{};
    QTest::newRow("code") << "Ara > Ürün Barkodu"
                          << "1*" << QStringList{"Yıldızlı"};
    QTest::newRow("code prefix") << "Ara > Ürün Barkodu"
                                 << "a" << QStringList{"Çaykur", "D'Arte"};
    QTest::newRow("class") << "Ara > Ürün Sınıfı"
                           << "2.SINIF" << QStringList{"İnci"};
    QTest::newRow("vat rate") << "Ara > Ürün KDV Oranı"
                              << "18" << QStringList{"Ilık"};
}

void TestStockCard::searches()
{
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Harness h;
    addProduct(h, {"A1", "Çaykur"});
    addProduct(h, {"B1", "İnci", {}, 1, 0, 1, 1, "Adet", {}, "2.SINIF"});
    addProduct(h, {"C1", "Ilık", {}, 1, 0, 1, 1, "Adet", {}, {}, 18.0});
    addProduct(h, {"A2", "D'Arte"});
    addProduct(h, {"1*5", "Yıldızlı"});
    addProduct(h, {"15", "Sayı"});
    frmProduct &f = openCard();
    pick(f.arama->txtAra, mode);
    if (mode == QStringLiteral("Ara > Ürün Sınıfı"))
        pick(f.arama->aramatext4, text);
    else if (mode == QStringLiteral("Ara > Ürün Adı"))
        Harness::type(f.arama->aramatext, text);
    else if (mode == QStringLiteral("Ara > Ürün Barkodu"))
        Harness::type(f.arama->aramatext2, text);
    else
        Harness::type(f.arama->aramatext6, text);
    QCOMPARE(names(f), found);
    // Searches do not count.
    QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 6 Ürün Listelendi..."));
}

void TestStockCard::leavingTheNameModeListsEveryNamedProduct()
{
    Harness h;
    addProduct(h, {"A1", "Zeytin"});
    addProduct(h, {"A2", "Bal"});
    addProduct(h, {"A3", ""});
    frmProduct &f = openCard();
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı"));
    QVERIFY(f.arama->aramatext->isVisibleTo(&f) && !f.arama->aramatext2->isVisibleTo(&f));
    Harness::type(f.arama->aramatext, QStringLiteral("ze"));
    QCOMPARE(names(f), QStringList{"Zeytin"});
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Barkodu"));
    QVERIFY(f.arama->aramatext->text().isEmpty());
    QVERIFY(f.arama->aramatext2->isVisibleTo(&f) && !f.arama->aramatext->isVisibleTo(&f));
    QCOMPARE(names(f), (QStringList{"", "Bal", "Zeytin"}));
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün KDV Oranı"));
    QVERIFY(f.arama->Label22->isVisibleTo(&f) && !f.arama->btnSec->isVisibleTo(&f));
    QCOMPARE(f.arama->aramatext5->currentText(), QStringLiteral("KDV DAHİL"));
    QCOMPARE(f.arama->aramatext5->count(), 0);
}

void TestStockCard::categoryChoice()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addCategory(h, QStringLiteral("Şeker"));
    addProduct(h, {"A1", "Çaykur", "Çay", 4});
    addProduct(h, {"A2", "Lipton", "Çay", 2.5});
    addProduct(h, {"A3", "Küp", "Şeker", 7});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET AlisFiyatiTopTut = 10")));
    frmProduct &f = openCard();
    QCOMPARE(f.arama->txtPrice6->text(), QStringLiteral("13,5"));
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Kategorisi"));
    QCOMPARE(f.arama->aramatext3->count(), 2);
    pick(f.arama->aramatext3, QStringLiteral("Çay"));
    QCOMPARE(names(f), (QStringList{"Çaykur", "Lipton"}));
    QCOMPARE(f.arama->txtPrice6->text(), QStringLiteral("6,5"));
    QCOMPARE(f.arama->txtPrice2->text(), QStringLiteral("30,00"));
}

void TestStockCard::lists_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("all") << 0 << QStringList{"Bal", "Elma", "Kahve", "Peynir", "Süt", "Tuz", "Un"};
    QTest::newRow("in stock") << 1 << QStringList{"Bal", "Elma", "Kahve", "Peynir", "Tuz", "Un"};
    QTest::newRow("critical") << 2 << QStringList{"Bal", "Peynir", "Süt"};
    QTest::newRow("expired") << 3 << QStringList{"Elma"};
}

void TestStockCard::lists()
{
    QFETCH(int, entry);
    QFETCH(QStringList, found);
    Harness h;
    //          code  name   category stock reorder price sale unit expiry
    addProduct(h, {"1", "Elma", "Meyve", 5, 1, 1, 1, "Adet", "11/2026"});   // last month
    addProduct(h, {"2", "Kahve", "İçecek", 5, 1, 1, 1, "Adet", "12/2026"}); // this month
    addProduct(h, {"3", "Peynir", "Süt", 3, 3, 1, 1, "Adet", "01/2027"});   // at its level
    addProduct(h, {"4", "Süt", "Süt", 0, 1, 1, 1, "Adet", "12/9999"});
    addProduct(h, {"5", "Tuz", "Baharat", 9, 1, 1, 1, "Adet", ""});
    addProduct(h, {"6", "Un", "Un", 9, 1, 1, 1, "Adet", "00/2020"});
    addProduct(h, {"7", "Bal", "Arı", 1, 1, 1, 1, "Adet", "1/2020"});
    frmProduct &f = openCard();
    QAction *entries[] = {f.arama->mnuTum, f.arama->mnuSou, f.arama->mnukso, f.arama->mnuskt};
    QCOMPARE(entries[entry]->text(), (QStringList{"Tüm Ürünleri Göster", "Stokta Olan Ürünleri Göster",
                                                  "Kritik Stok Seviyesinde Olan Ürünler",
                                                  "Son Kullanma Tarihi Geçen Ürünler"})[entry]);
    Harness::click(f.arama->zaBTN1);
    entries[entry]->trigger();
    QCOMPARE(names(f), found);
    if (entry == 3)
        QCOMPARE(f.arama->tarih.text(), QStringLiteral("12/2026"));
}

void TestStockCard::sortsAfterASearch()
{
    Harness h;
    for (const char *n : {"Çilek", "Cevız", "Ibrik", "İncir", "Şeker", "Sabun", "Ürün", "Uçak"})
        addProduct(h, {QString::fromUtf8(n).toUpper(), QString::fromUtf8(n)});
    frmProduct &f = openCard();
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı"));
    Harness::type(f.arama->aramatext, QStringLiteral("ş"));
    QCOMPARE(names(f), QStringList{"Şeker"});
    Harness::click(f.arama->azBTN1);
    const QStringList az{"Cevız", "Çilek", "Ibrik", "İncir", "Sabun", "Şeker", "Uçak", "Ürün"};
    QCOMPARE(names(f), az);
    Harness::click(f.arama->zaBTN1);
    QStringList za = az;
    std::reverse(za.begin(), za.end());
    QCOMPARE(names(f), za);
}

void TestStockCard::categoriesAndSuppliers_data()
{
    QTest::addColumn<bool>("supplier");
    QTest::newRow("category") << false;
    QTest::newRow("supplier") << true;
}

void TestStockCard::categoriesAndSuppliers()
{
    QFETCH(bool, supplier);
    Harness h;
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    Harness::click(supplier ? f.btnTdrkEkle : f.MyButton7);
    QWidget *panel = supplier ? static_cast<QWidget *>(f.gruplar->reyonfrm) : f.gruplar->urunmarkafrm;
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->pos(), QPoint(568, 48));
    QTableView *grid = supplier ? f.gruplar->DBGrid3 : f.gruplar->DBGrid2;
    QLineEdit *name = supplier ? f.gruplar->Text2 : f.gruplar->Text1;
    BvButton *add = supplier ? f.gruplar->vekbutton4 : f.gruplar->MyButton2;
    BvButton *save = supplier ? f.gruplar->ekle2 : f.gruplar->ekles;
    const QString saved = supplier ? QStringLiteral("Tedarikçi Firma Kaydedildi. ")
                                   : QStringLiteral("Ürün Markası Kaydedildi. ");
    for (int round = 0; round < 2; ++round) {
        Harness::click(add);
        QVERIFY(!grid->isEnabled());
        QVERIFY(name->text().isEmpty());
        Harness::type(name, QStringLiteral("Öz Gıda"));
        if (round == 0)
            h.expectMsgBox(saved, pv::vbInformation, QStringLiteral("Bilgi"));
        else
            h.expectMsgBox(QStringLiteral("Bu kayıt Mevcut"), pv::vbInformation, QStringLiteral("Dikkat"));
        Harness::click(save);
        QVERIFY(grid->isEnabled());
        QVERIFY(!(supplier ? static_cast<QWidget *>(f.gruplar->xpFrame3) : f.gruplar->urunmarkafrm2)
                     ->isVisible());
    }
    const QString table = supplier ? QStringLiteral("urun_reyon") : QStringLiteral("urun_marka");
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 1);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(),
             supplier ? QStringLiteral("TEDARİKÇİ FİRMALAR") : QStringLiteral("KATEGORİLER"));
    // The card's list offers the name at once, without picking it.
    QComboBox *offered = supplier ? f.cboLocation : f.cboGName;
    QCOMPARE(offered->count(), 1);
    QCOMPARE(offered->currentIndex(), -1);
    Harness::click(supplier ? f.gruplar->vekbutton5 : f.gruplar->vekbutton6);
    QVERIFY(!panel->isVisible());
    Harness::click(f.cmdCancel);
}

void TestStockCard::namePanelRefusesBlank()
{
    Harness h;
    addProduct(h, {"P1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    Harness::click(f.MyButton7);
    Harness::click(f.gruplar->MyButton2);
    Harness::type(f.gruplar->Text1, QStringLiteral("   "));
    h.expectMsgBox(QStringLiteral("Kategori Adını Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(f.gruplar->ekles);
    QVERIFY(f.gruplar->urunmarkafrm2->isVisible());
    QCOMPARE(f.gruplar->Text1->text(), QStringLiteral("   "));
    // The sub-panel's caption closes it without saving.
    emit f.gruplar->urunmarkafrm2->Click();
    QVERIFY(!f.gruplar->urunmarkafrm2->isVisible());
    QVERIFY(f.gruplar->DBGrid2->isEnabled());
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM urun_marka")).toInt(), 0);
    Harness::click(f.cmdCancel);
}

void TestStockCard::deleteNames()
{
    Harness h;
    for (const char *n : {"Bakkal", "Manav", "Toptancı"})
        addSupplier(h, QString::fromUtf8(n));
    addProduct(h, {"P1", "Armut"});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET SaticiFirma = 'Bakkal'")));
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    Harness::click(f.btnTdrkEkle);
    f.gruplar->DBGrid3->selectRow(0);
    const QString question = QStringLiteral("Bakkal\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?");
    h.expectMsgBox(question, pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbNo);
    Harness::click(f.gruplar->vekbutton2);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM urun_reyon")).toInt(), 3);
    h.expectMsgBox(question, pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbYes);
    Harness::click(f.gruplar->vekbutton2);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM urun_reyon")).toInt(), 2);
    QCOMPARE(f.Data2->currentRow(), 1); // the last row
    QCOMPARE(h.value(QStringLiteral("SELECT SaticiFirma FROM Product")).toString(), QStringLiteral("Bakkal"));
    // A refused delete says so and keeps the row.
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER nodelete BEFORE DELETE ON urun_reyon BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    h.expectMsgBox(QStringLiteral("Toptancı\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"), pv::vbYes);
    h.expectMsgBox(QStringLiteral("Tedarikçi firma silinemedi.\nkilitli"), pv::vbCritical,
                   QStringLiteral("Hata"));
    Harness::click(f.gruplar->vekbutton2);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM urun_reyon")).toInt(), 2);
    Harness::click(f.cmdCancel);
}

void TestStockCard::totals()
{
    Harness h;
    addProduct(h, {"P1", "Armut", {}, 1000.5});
    addProduct(h, {"P2", "Elma", {}, 2});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET AlisFiyatiTopTut = 1000.125, SatisFiyatiTopTut = 2.5, "
                                  "SatisFiyati2TopTut = NULL WHERE id = 1")));
    QVERIFY(h.exec(
        QStringLiteral("UPDATE Product SET AlisFiyatiTopTut = 234, SatisFiyatiTopTut = 0.5 WHERE id = 2")));
    frmProduct &f = openCard();
    QCOMPARE((QStringList{f.arama->txtPrice2->text(), f.arama->txtPrice3->text(), f.arama->txtPrice4->text(),
                          f.arama->txtPrice5->text(), f.arama->txtPrice6->text()}),
             (QStringList{"1.234,13", "3,00", "0,00", "0,00", "1002,5"}));
    QCOMPARE(f.arama->BvButton7->Caption(), QStringLiteral(" Fiyatı-1 Toplamı"));
    QVERIFY(!f.arama->BvButton6->Enabled());
}

void TestStockCard::emptyTotals()
{
    Harness h;
    h.expectMsgBox(QStringLiteral("Ürün Bulunamadı..."));
    frmProduct &f = openCard();
    QCOMPARE((QStringList{f.arama->txtPrice2->text(), f.arama->txtPrice3->text(), f.arama->txtPrice4->text(),
                          f.arama->txtPrice5->text(), f.arama->txtPrice6->text()}),
             (QStringList{"0,00", "0,00", "0,00", "0,00", "0"}));
}

// A list of 300 products is read by screens: its keys counted, the values of the rows shown
// read a screen at a time, the rest as the grid scrolls; the totals are read once per activation and
// save, and a saved product far down the list is the one shown.
void TestStockCard::longListReadByScreens()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
        "INSERT INTO Product ([Product Code], [Brand Name], [Generic Name], OnHand, Price, SatisFiyati, "
        "[Reorder Level], Unit) "
        "SELECT printf('K%03d', i), printf('Ürün %03d', i), 'Genel', 1, 1, 2, 2, 'Adet' FROM n")));
    frmProduct &f = openCard();
    const int rowsRead = h.statementsRun("WHERE rowid", [&] {
        f.arama->mnuTum_Click();
        Harness::settle();
    });
    QVERIFY2(rowsRead > 0 && rowsRead < 100, qPrintable(QString::number(rowsRead)));
    QCOMPARE(f.ceksayi7->text(), QStringLiteral("Toplam 300 Ürün Listelendi..."));
    QCOMPARE(f.arama->txtPrice6->text(), QStringLiteral("300"));
    QCOMPARE(names(f).first(), QStringLiteral("Ürün 001"));
    const QByteArray sums("sum(OnHand)");
    QCOMPARE(h.statementsRun(sums, [&] { f.Form_Activate(); }), 1);

    // The last product edited and saved: the card stands on it.
    Harness::click(f.cmdLast);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Ürün 300"));
    Harness::click(f.cmdEdit);
    f.txtOzelKod1->setText(QStringLiteral("Son"));
    QCOMPARE(h.statementsRun(sums, [&] { Harness::click(f.cmdSave); }), 1);
    QVERIFY(!f.editing());
    QCOMPARE(f.txtBName->text(), QStringLiteral("Ürün 300"));
    QCOMPARE(f.txtOzelKod1->text(), QStringLiteral("Son"));
    QCOMPARE(h.value(QStringLiteral("SELECT OzelKod1 FROM Product WHERE [Product Code] = 'K300'")),
             QVariant(QStringLiteral("Son")));
    // Scrolled to the end, the grid has read every row in order.
    while (f.DBGrid1->model()->canFetchMore({}))
        f.DBGrid1->model()->fetchMore({});
    QCOMPARE(names(f).size(), 300);
    QCOMPARE(names(f).last(), QStringLiteral("Ürün 300"));
}

void TestStockCard::weightPricesShowThreeDecimals()
{
    Harness h;
    addProduct(h, {"P1", "Armut", "Meyve", 5, 1, 2.125, 1234.5, "Kg"});
    addProduct(h, {"P2", "Bal", {}, 5, 1, 2.125, 3, "Adet"});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET Unit = 'kG' WHERE [Product Code] = 'P2'")));
    frmProduct &f = openCard();
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,125"));
    QCOMPARE(f.txtsatisfiyat->text(), QStringLiteral("1.234,500"));
    Harness::click(f.cmdNext);
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,13"));
    Harness::click(f.cmdFirst);
    QCOMPARE(f.txtPrice->text(), QStringLiteral("2,125"));
    // Browsing never rewrote a price.
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE [Product Code] = 'P1'")).toDouble(),
             2.125);
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE [Product Code] = 'P2'")).toDouble(),
             2.125);
    // Editing another field leaves the prices alone; a save writes only what changed.
    Harness::click(f.cmdEdit);
    f.txtOzelKod1->setText(QStringLiteral("X"));
    Harness::click(f.cmdSave);
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE [Product Code] = 'P1'")).toDouble(),
             2.125);
}

void TestStockCard::priceDecimalsOfTheUnitSaved_data()
{
    QTest::addColumn<QString>("unit");   // the product's own
    QTest::addColumn<QString>("picked"); // picked on the card, empty for none
    QTest::addColumn<QString>("shown");  // in the price box after the save
    QTest::addColumn<double>("stored");
    QTest::newRow("weight unit not listed") << "Gram"
                                            << ""
                                            << "0,125" << 0.125;
    QTest::newRow("weight unit listed") << "Kg"
                                        << ""
                                        << "0,125" << 0.125;
    QTest::newRow("weight unit, another weight picked") << "Gram"
                                                        << "Kg"
                                                        << "0,125" << 0.125;
    QTest::newRow("weight unit, piece picked") << "Gram"
                                               << "Adet"
                                               << "0,13" << 0.13;
}

// The price keeps the decimals of the unit the row is saved with, whatever unit the list
// was left on by an earlier product.
void TestStockCard::priceDecimalsOfTheUnitSaved()
{
    QFETCH(QString, unit);
    QFETCH(QString, picked);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    Harness h;
    addProduct(h, {"A1", "Ayran", "Süt", 5, 1, 1.5, 2, "Adet"});
    addProduct(h, {"P1", "Peynir", "Süt", 5, 1, 0.125, 0.25, unit});
    frmProduct &f = openCard();
    // The list is left on the piece unit of the first product.
    Harness::click(f.cmdEdit);
    QCOMPARE(f.cboUnit->currentText(), QStringLiteral("Adet"));
    Harness::click(f.cmdCancel);
    Harness::click(f.cmdLast);
    QCOMPARE(f.txtPrice->text(), QStringLiteral("0,125"));
    Harness::click(f.cmdEdit);
    if (!picked.isEmpty())
        pick(f.cboUnit, picked);
    f.txtOzelKod1->setText(QStringLiteral("X"));
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(f.txtPrice->text(), shown);
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE [Product Code] = 'P1'")).toDouble(),
             stored);
    QCOMPARE(h.value(QStringLiteral("SELECT Unit FROM Product WHERE [Product Code] = 'P1'")).toString(),
             picked.isEmpty() ? unit : picked);
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE [Product Code] = 'A1'")).toDouble(),
             1.5);
}

void TestStockCard::typedPricesWaitForTheSave_data()
{
    // start: "opened" (the unit list shows nothing yet), "after Adet" (an Adet product was
    // edited last, the list is left on Adet) or "edit" (the product K1, saved with Kg, edited).
    // steps: what the user does in order; "save:<message>" is a save that a check stops.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("shown"); // purchase and sale price on the card after the save
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("sale");
    const QStringList weight{"1,235", "2,346"}, piece{"1,24", "2,35"};
    QTest::newRow("stock typed before the unit")
        << "opened" << QStringList{"card", "prices", "stock", "Kg", "reorder", "save"} << "Kg" << weight
        << 1.235 << 2.346;
    QTest::newRow("stock typed before the unit, after an Adet product")
        << "after Adet" << QStringList{"card", "prices", "stock", "Kg", "reorder", "save"} << "Kg" << weight
        << 1.235 << 2.346;
    QTest::newRow("no unit, refused, then Kg")
        << "opened" << QStringList{"card", "prices", "save:Birimi Seçin", "Kg", "stock", "reorder", "save"}
        << "Kg" << weight << 1.235 << 2.346;
    QTest::newRow("stock typed, no unit, refused, then Kg")
        << "opened" << QStringList{"card", "prices", "stock", "reorder", "save:Birimi Seçin", "Kg", "save"}
        << "Kg" << weight << 1.235 << 2.346;
    QTest::newRow("Kg picked before the stock")
        << "opened" << QStringList{"card", "prices", "Kg", "stock", "reorder", "save"} << "Kg" << weight
        << 1.235 << 2.346;
    QTest::newRow("piece unit picked")
        << "opened" << QStringList{"card", "prices", "stock", "Adet", "reorder", "save"} << "Adet"
        << QStringList{"1,23", "2,35"} << 1.23 << 2.35;
    QTest::newRow("edit from Kg to Adet")
        << "edit" << QStringList{"Adet", "stock", "save"} << "Adet" << piece << 1.24 << 2.35;
    QTest::newRow("edit to Adet and back to Kg")
        << "edit" << QStringList{"Adet", "stock", "Kg", "save"} << "Kg" << weight << 1.235 << 2.346;
    QTest::newRow("edit to Adet, refused, back to Kg")
        << "edit"
        << QStringList{"Adet", "noReorder", "save:Kritik Stok Seviyesini Yazın", "Kg", "reorder", "save"}
        << "Kg" << weight << 1.235 << 2.346;
}

// The prices keep what was typed until a save writes the row; only then are they rounded,
// with the decimals of the unit the row is saved with.
void TestStockCard::typedPricesWaitForTheSave()
{
    QFETCH(QString, start);
    QFETCH(QStringList, steps);
    QFETCH(QString, unit);
    QFETCH(QStringList, shown);
    QFETCH(double, price);
    QFETCH(double, sale);
    Harness h;
    addCategory(h, QStringLiteral("Süt"));
    addProduct(h, {"A1", "Ayran", "Süt", 5, 1, 1.5, 2, "Adet"});
    addProduct(h, {"K1", "Peynir", "Süt", 10, 2, 1.235, 2.346, "Kg"});
    frmProduct &f = openCard();
    const QString code = start == QLatin1String("edit") ? QStringLiteral("K1") : QStringLiteral("YENI");
    if (start == QLatin1String("edit")) {
        Harness::click(f.cmdLast);
        Harness::click(f.cmdEdit);
        QCOMPARE(f.cboUnit->currentText(), QStringLiteral("Kg"));
    } else {
        if (start == QLatin1String("after Adet")) {
            Harness::click(f.cmdEdit);
            Harness::click(f.cmdCancel);
            QCOMPARE(f.cboUnit->currentText(), QStringLiteral("Adet"));
        } else {
            QVERIFY(f.cboUnit->currentText().isEmpty());
        }
        Harness::click(f.cmdAdd);
    }
    auto prices = [&] { return QStringList{f.txtPrice->text(), f.txtsatisfiyat->text()}; };
    auto erase = [](QLineEdit *box) {
        box->setFocus();
        Harness::key(box, Qt::Key_End);
        while (!box->text().isEmpty())
            Harness::key(box, Qt::Key_Backspace);
    };
    for (const QString &step : steps) {
        QVERIFY(f.editing());
        const QStringList before = prices();
        if (step == QLatin1String("card")) {
            Harness::type(f.txtPCode, code);
            Harness::type(f.txtBName, QStringLiteral("Kaşar"));
            pick(f.cboGName, QStringLiteral("Süt"));
        } else if (step == QLatin1String("prices")) {
            Harness::type(f.txtPrice, QStringLiteral("1,2345"));
            Harness::type(f.txtsatisfiyat, QStringLiteral("2,3456"));
            QCOMPARE(prices(), (QStringList{"1,2345", "2,3456"}));
            continue;
        } else if (step == QLatin1String("stock")) {
            Harness::type(f.txtOnHand, QStringLiteral("3"));
        } else if (step == QLatin1String("reorder")) {
            Harness::type(f.txtReOrder, QStringLiteral("1"));
        } else if (step == QLatin1String("noReorder")) {
            erase(f.txtReOrder);
        } else if (step == QLatin1String("Kg") || step == QLatin1String("Adet")) {
            pick(f.cboUnit, step);
        } else if (step.startsWith(QLatin1String("save:"))) {
            h.expectMsgBox(step.mid(5), pv::vbExclamation, QStringLiteral("Dikkat!!"));
            Harness::click(f.cmdSave);
            QCOMPARE(h.unansweredMsgBoxes(), 0);
        } else {
            QCOMPARE(step, QStringLiteral("save"));
            Harness::click(f.cmdSave);
            continue;
        }
        QCOMPARE(prices(), before);
    }
    QVERIFY(!f.editing());
    QCOMPARE(h.msgBoxes().size(), steps.filter(QStringLiteral("save:")).size());
    QCOMPARE(f.txtPCode->text(), code);
    QCOMPARE(prices(), shown);
    QCOMPARE(h.rows(QStringLiteral("SELECT Price, SatisFiyati, Unit FROM Product WHERE [Product Code] = ?"),
                    {code}),
             (QList<QVariantList>{{price, sale, unit}}));
}

// A new product starts with no category and no supplier, as it is saved.
void TestStockCard::addStartsWithoutCategoryAndSupplier()
{
    Harness h;
    addCategory(h, QStringLiteral("Çay"));
    addSupplier(h, QStringLiteral("Toptancı"));
    addProduct(h, {"P1", "Armut", "Çay"});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET SaticiFirma = 'Toptancı'")));
    frmProduct &f = openCard();
    Harness::click(f.cmdEdit);
    QCOMPARE(f.cboGName->currentText(), QStringLiteral("Çay"));
    QCOMPARE(f.cboLocation->currentText(), QStringLiteral("Toptancı"));
    Harness::click(f.cmdCancel);
    Harness::click(f.cmdAdd);
    for (QComboBox *list : {f.cboGName, f.cboLocation}) {
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY2(list->currentText().isEmpty(), qPrintable(list->objectName()));
    }
    QVERIFY(f.txtGName->text().isEmpty() && f.txtLocation->text().isEmpty());
    Harness::type(f.txtPCode, QStringLiteral("YENI"));
    h.expectMsgBox(QStringLiteral("Ürün Kategorisi Seçin"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(f.cmdSave);
    QCOMPARE(f.focusWidget(), f.cboGName);
    fillCard(f, QString(), QStringLiteral("Bal"));
    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(h.rows(QStringLiteral(
                 "SELECT [Generic Name], SaticiFirma FROM Product WHERE [Product Code] = 'YENI'")),
             (QList<QVariantList>{{"Çay", QVariant()}}));
    QVERIFY(f.txtLocation->text().isEmpty());
}

// Names longer than their boxes show their start wherever the card shows a product.
void TestStockCard::longTextsShowTheirStart()
{
    Harness h;
    const QString longName =
        QStringLiteral("Başlangıç ") + QString(80, QLatin1Char('x')) + QStringLiteral(" son");
    const QString longCode = QStringLiteral("Kod başı ") + QString(40, QLatin1Char('y'));
    addProduct(h, {"A1", longName, longName});
    addProduct(h, {"B1", QStringLiteral("Sonraki ") + longName, longName});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET OzelKod1 = ?, OzelKod2 = ?, SaticiFirma = ?"),
                   {longCode, longCode, longName}));
    frmProduct &f = openCard();
    const std::initializer_list<QLineEdit *> boxes{f.txtBName, f.txtGName, f.txtOzelKod1, f.txtOzelKod2,
                                                   f.txtLocation};
    // The boxes whose text is too long for them and does not show from its start.
    auto fromEnd = [&] {
        QStringList out;
        for (QLineEdit *box : boxes)
            if (box->fontMetrics().horizontalAdvance(box->text()) <= box->width() ||
                box->cursorPosition() != 0)
                out << box->objectName();
        return out.join(QLatin1Char(' '));
    };
    QCOMPARE(f.txtBName->text(), longName);
    QCOMPARE(fromEnd(), QString());
    Harness::click(f.cmdNext);
    QCOMPARE(f.txtBName->text(), QStringLiteral("Sonraki ") + longName);
    QCOMPARE(fromEnd(), QString());
    Harness::click(f.cmdEdit);
    Harness::click(f.cmdCancel);
    QCOMPARE(fromEnd(), QString());
    Harness::click(f.arama->azBTN1);
    QCOMPARE(f.txtBName->text(), longName);
    QCOMPARE(fromEnd(), QString());
}

void TestStockCard::addedNamesOfferedAtOnce_data()
{
    categoriesAndSuppliers_data();
}

// On a new shop the first product takes a category (and a supplier) made while it is typed.
void TestStockCard::addedNamesOfferedAtOnce()
{
    QFETCH(bool, supplier);
    Harness h;
    addProduct(h, {"P1", "Armut"});
    if (supplier)
        addCategory(h, QStringLiteral("Çay"));
    frmProduct &f = openCard();
    QComboBox *list = supplier ? f.cboLocation : f.cboGName;
    QCOMPARE(list->count(), 0);
    Harness::click(f.cmdAdd);
    fillCard(f, QStringLiteral("YENI"), QStringLiteral("Bal"), supplier ? QStringLiteral("Çay") : QString());
    const QString saved = supplier ? QStringLiteral("Tedarikçi Firma Kaydedildi. ")
                                   : QStringLiteral("Ürün Markası Kaydedildi. ");
    auto add = [&](const QString &name) {
        Harness::click(supplier ? f.gruplar->vekbutton4 : f.gruplar->MyButton2);
        Harness::type(supplier ? f.gruplar->Text2 : f.gruplar->Text1, name);
        h.expectMsgBox(saved, pv::vbInformation, QStringLiteral("Bilgi"));
        Harness::click(supplier ? f.gruplar->ekle2 : f.gruplar->ekles);
    };
    Harness::click(supplier ? f.btnTdrkEkle : f.MyButton7);
    add(QStringLiteral("Öz Gıda"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentIndex(), -1); // offered, not picked for the user
    pick(list, QStringLiteral("Öz Gıda"));
    // Another name added and deleted leaves the pick alone.
    add(QStringLiteral("Ak Gıda"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentText(), QStringLiteral("Öz Gıda"));
    QTableView *grid = supplier ? f.gruplar->DBGrid3 : f.gruplar->DBGrid2;
    const QModelIndexList ak = grid->model()->match(grid->model()->index(0, 0), Qt::DisplayRole,
                                                    QStringLiteral("Ak Gıda"), 1, Qt::MatchExactly);
    QCOMPARE(ak.size(), 1);
    grid->selectRow(ak.first().row());
    h.expectMsgBox(QStringLiteral("Ak Gıda\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"), pv::vbYes);
    Harness::click(supplier ? f.gruplar->vekbutton2 : f.gruplar->MyButton1);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentText(), QStringLiteral("Öz Gıda"));
    // The category search offers a new category too.
    QCOMPARE(f.arama->aramatext3->count(), 1);
    QCOMPARE(f.arama->aramatext3->itemText(0), supplier ? QStringLiteral("Çay") : QStringLiteral("Öz Gıda"));

    Harness::click(f.cmdSave);
    QVERIFY(!f.editing());
    QCOMPARE(h.value(QStringLiteral("SELECT %1 FROM Product WHERE [Product Code] = 'YENI'")
                         .arg(supplier ? QStringLiteral("SaticiFirma") : QStringLiteral("[Generic Name]")))
                 .toString(),
             QStringLiteral("Öz Gıda"));
}

QTEST_MAIN(TestStockCard)
#include "test_stockcard.moc"

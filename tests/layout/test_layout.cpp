// Every text fits its box: each window the program opens, at its designed size, is read
// control by control, and a caption, label, grid column header or list item whose text is
// wider or taller than its box (in the font the control really draws with) fails.
//
// To check a new window, add one line to windows() below: a name and an opener that shows
// the window (and whatever it needs) and hands it to `check` while it is up. Modal windows
// are checked from inside their loop through modalFrom<T>().
#include "app/CopyFile.h"
#include "app/Form3.h"
#include "app/accounts/AccountMail.h"
#include "app/accounts/CariToplu.h"
#include "app/accounts/CariYazdir.h"
#include "app/accounts/FrmEmail.h"
#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "app/ayarlar.h"
#include "app/bank/Banka1.h"
#include "app/bank/Banka2.h"
#include "app/birmler.h"
#include "app/cashbook/kasa.h"
#include "app/frmAlert.h"
#include "app/frmLogin.h"
#include "app/frmSplash.h"
#include "app/kullanici.h"
#include "app/reports/AppReports.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/UrunGruplari.h"
#include "app/stock/frmProduct.h"
#include "app/veresiye.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/report/Report.h"
#include "platform/report/ReportDocument.h"
#include "platform/text/Formats.h"
#include "repair/frmCompact.h"
#include "tests/harness/Harness.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QtTest>

#include <functional>

using pv::test::Harness;

namespace
{

using Check = std::function<void(QWidget *)>;
using Opener = std::function<void(Harness &, const Check &)>;

// ------------------------------------------------------------------ measuring

QString where(const QWidget *w)
{
    QStringList path;
    for (const QWidget *p = w; p && !p->isWindow(); p = p->parentWidget())
        path.prepend(p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className())
                                               : p->objectName());
    return path.join(QLatin1Char('/'));
}

// How far the ink of a line of text reaches above the top and below the bottom of a box
// of the given height, the line centred (or at the top) as the control places it. The
// dots of Turkish capitals (İ, Ö, Ü) stand above the font's ascent.
bool inkFitsHeight(const QFontMetrics &fm, const QString &line, int boxHeight, bool top)
{
    const QRect ink = fm.boundingRect(line);
    const int lineTop = top ? 0 : (boxHeight - fm.height()) / 2;
    const int baseline = lineTop + fm.ascent();
    return baseline + ink.top() >= 0 && baseline + ink.bottom() < boxHeight + 1 &&
           fm.height() <= boxHeight + 1;
}

void checkLabel(QLabel *l, QStringList &faults)
{
    QString text = l->text();
    if (text.isEmpty() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(text))
        return;
    const QFontMetrics fm(l->font());
    const QRect box = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const bool top = l->alignment() & Qt::AlignTop;
    if (l->wordWrap()) {
        const QRect need =
            fm.boundingRect(QRect(0, 0, box.width(), 100000), Qt::TextWordWrap | int(l->alignment()), text);
        if (need.width() > box.width() || need.height() > box.height())
            faults << QStringLiteral("label %1 \"%2\": needs %3×%4, box %5×%6")
                          .arg(where(l), text)
                          .arg(need.width())
                          .arg(need.height())
                          .arg(box.width())
                          .arg(box.height());
        return;
    }
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const int w = fm.horizontalAdvance(line);
        if (w > box.width())
            faults << QStringLiteral("label %1 \"%2\": %3 px wide, box %4")
                          .arg(where(l), line)
                          .arg(w)
                          .arg(box.width());
    }
    if (!text.contains(QLatin1Char('\n')) && !inkFitsHeight(fm, text, box.height(), top))
        faults << QStringLiteral("label %1 \"%2\": taller than its box (%3 px)")
                      .arg(where(l), text)
                      .arg(box.height());
}

void checkButton(BvButton *b, QStringList &faults)
{
    const QString text = b->Caption();
    if (text.trimmed().isEmpty())
        return;
    const QFontMetrics fm(BrennavikBtn::buttonDrawingFont(b->Font()));
    // The face's border and the caption's margin take a few pixels on each side.
    const QRect box(0, 0, b->width() - 6, b->height() - 4);
    const QRect need = fm.boundingRect(box, Qt::TextWordWrap | Qt::AlignHCenter, text);
    const QRect ink = fm.boundingRect(text);
    const int overhang = std::max(0, -ink.top() - fm.ascent());
    if (need.width() > box.width() || need.height() + overhang > box.height())
        faults << QStringLiteral("button %1 \"%2\": needs %3×%4, face %5×%6")
                      .arg(where(b), text)
                      .arg(need.width())
                      .arg(need.height() + overhang)
                      .arg(box.width())
                      .arg(box.height());
}

void checkFrame(FrameFendrixon *f, QStringList &faults)
{
    // A caption made from data (a customer's name) may be longer than any header: it is
    // drawn shortened with "…", never under the pin and the chevron.
    const QString text = f->shownCaption();
    if (text.isEmpty() || f->headerImage().isNull())
        return;
    const QFontMetrics fm(f->captionFont());
    const int room = f->captionRoom();
    if (text != f->Caption() && !text.endsWith(QChar(0x2026)))
        faults << QStringLiteral("frame %1 \"%2\": drawn as \"%3\"").arg(where(f), f->Caption(), text);
    if (fm.horizontalAdvance(text) > room)
        faults << QStringLiteral("frame %1 \"%2\": %3 px wide, header room %4")
                      .arg(where(f), text)
                      .arg(fm.horizontalAdvance(text))
                      .arg(room);
}

void checkGrid(QTableView *g, QStringList &faults)
{
    QHeaderView *h = g->horizontalHeader();
    QAbstractItemModel *m = g->model();
    if (!m || h->isHidden())
        return;
    // A highlighted header draws its labels bold.
    QFont hf = h->font();
    if (h->highlightSections())
        hf.setBold(true);
    const QFontMetrics hfm(hf);
    const int margin = g->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    int last = -1;
    for (int c = 0; c < m->columnCount(); ++c)
        if (!h->isSectionHidden(c))
            last = c;
    int total = 0, needed = 0;
    for (int c = 0; c < m->columnCount(); ++c) {
        if (h->isSectionHidden(c))
            continue;
        const int size = h->sectionSize(c);
        const QString text = m->headerData(c, Qt::Horizontal).toString();
        const int need = hfm.horizontalAdvance(text) + 2 * margin;
        // A last column that stretches fills whatever the grid shows and gives way to the
        // scroll bar: it takes no more than its header.
        total += c == last && h->stretchLastSection() ? need : size;
        needed += need;
        if (size > 0 && need > size)
            faults << QStringLiteral("grid %1 column \"%2\": needs %3 px, has %4")
                          .arg(where(g), text)
                          .arg(need)
                          .arg(size);
    }
    // Every column in sight without scrolling sideways, where the headers alone leave room.
    int room = g->viewport()->width();
    if (g->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && !g->verticalScrollBar()->isVisible())
        room -= g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g); // when rows fill it
    if (total > room && needed <= room)
        faults << QStringLiteral("grid %1: columns %2 px wide, grid shows %3")
                      .arg(where(g))
                      .arg(total)
                      .arg(room);
    // Rows tall enough for the dots of Turkish capitals.
    const QFontMetrics cfm(g->font());
    const int row = g->verticalHeader()->defaultSectionSize();
    if (!inkFitsHeight(cfm, QStringLiteral("İÖÜŞĞÇ"), row - 2, false))
        faults << QStringLiteral("grid %1: rows of %2 px too low for \"İÖÜŞĞÇ\"").arg(where(g)).arg(row);
}

void checkList(QListWidget *l, QStringList &faults)
{
    const QFontMetrics fm(l->font());
    const int room =
        l->viewport()->width() - 2 * l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l);
    for (int i = 0; i < l->count(); ++i) {
        QListWidgetItem *it = l->item(i);
        if (it->isHidden())
            continue;
        const QString text = it->text();
        const QRect r = l->visualItemRect(it);
        const int w = fm.horizontalAdvance(text);
        if (w > room)
            faults << QStringLiteral("list %1 item \"%2\": %3 px wide, list shows %4")
                          .arg(where(l), text)
                          .arg(w)
                          .arg(room);
        if (r.height() > 0 && !inkFitsHeight(fm, text, r.height(), false))
            faults << QStringLiteral("list %1 item \"%2\": rows of %3 px too low")
                          .arg(where(l), text)
                          .arg(r.height());
    }
}

// A drop-down list's entries are read in its box when picked: each must fit the text area
// beside the arrow. They are read in its pop-up first: the pop-up is opened, where the
// combo can open, and each row must hold its text upright.
void checkCombo(QComboBox *c, QStringList &faults)
{
    if (c->isEnabled() && c->count() > 0) {
        c->showPopup();
        QAbstractItemView *view = c->view();
        const QFontMetrics vfm(view->font());
        for (int i = 0; i < c->count(); ++i) {
            const QRect r = view->visualRect(c->model()->index(i, c->modelColumn(), c->rootModelIndex()));
            const QString text = c->itemText(i);
            if (r.height() > 0 && !inkFitsHeight(vfm, text, r.height(), false))
                faults << QStringLiteral("pop-up %1 item \"%2\": rows of %3 px too low")
                              .arg(where(c), text)
                              .arg(r.height());
        }
        c->hidePopup();
    }
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = c->isEditable();
    const QRect field =
        c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    const QFontMetrics fm(c->font());
    for (int i = 0; i < c->count(); ++i) {
        const QString text = c->itemText(i);
        const int w = fm.horizontalAdvance(text);
        if (w > field.width())
            faults << QStringLiteral("list %1 item \"%2\": %3 px wide, box shows %4")
                          .arg(where(c), text)
                          .arg(w)
                          .arg(field.width());
    }
}

QStringList faultsOf(QWidget *window)
{
    QStringList faults;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        if (auto *l = qobject_cast<QLabel *>(w))
            checkLabel(l, faults);
        else if (auto *b = qobject_cast<BvButton *>(w))
            checkButton(b, faults);
        else if (auto *f = qobject_cast<FrameFendrixon *>(w))
            checkFrame(f, faults);
        else if (auto *g = qobject_cast<QTableView *>(w))
            checkGrid(g, faults);
        else if (auto *lw = qobject_cast<QListWidget *>(w))
            checkList(lw, faults);
        else if (auto *cb = qobject_cast<QComboBox *>(w))
            checkCombo(cb, faults);
    }
    return faults;
}

// ------------------------------------------------------------------ fixtures and openers

const QDate kToday(2026, 12, 10);

void addCustomer(Harness &h, const QString &kod, const QString &name, const QString &turu, double balance,
                 const QDate &last)
{
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{QStringLiteral("mus_kodu"), kod},
                                                    {QStringLiteral("MusteriFirma"), name},
                                                    {QStringLiteral("Turu"), turu},
                                                    {QStringLiteral("ParaTuru"), QStringLiteral("EURO")},
                                                    {QStringLiteral("MusGrup"), QStringLiteral("GENEL")},
                                                    {QStringLiteral("Sonislem"), last.toString(Qt::ISODate)},
                                                    {QStringLiteral("Sonislem2"), pv::dateKey(last)},
                                                    {QStringLiteral("Gun"), int(last.daysTo(kToday))},
                                                    {QStringLiteral("Bakiye"), balance}}));
}

// Customers with long names and the widest letters, some overdue.
void shop(Harness &h)
{
    addCustomer(h, QStringLiteral("100"), QStringLiteral("ÖZGÜR İNŞAAT ŞİRKETİ"), QStringLiteral("Alıcı"),
                125000.5, kToday.addDays(-95));
    addCustomer(h, QStringLiteral("101"), QStringLiteral("ŞENER GIDA"), QStringLiteral("Satıcı"), -300,
                kToday.addDays(-40));
    addCustomer(h, QStringLiteral("102"), QStringLiteral("Ali Çelik"), QStringLiteral("Bayi"), 0, kToday);
    QVERIFY(h.insert(QStringLiteral("veresiye"),
                     {{QStringLiteral("Tarih"), QStringLiteral("01.11.2026")},
                      {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                      {QStringLiteral("Turu"), QStringLiteral("Stoktan Bağımsız Satış")},
                      {QStringLiteral("Aciklama"), QStringLiteral("ÇİĞ ÜRÜN İŞÇİLİĞİ")},
                      {QStringLiteral("Eklenen"), 125000.5},
                      {QStringLiteral("Tarih2"), QStringLiteral("20261101")},
                      {QStringLiteral("mus_kodu"), QStringLiteral("100")}}));
    QVERIFY(
        h.exec(QStringLiteral("UPDATE musteriler SET mail = 'ozgur@example.com' WHERE mus_kodu = '100'")));
    QVERIFY(h.insert(QStringLiteral("Musteri_Gruplari"),
                     {{QStringLiteral("grupadi"), QStringLiteral("İNŞAAT")}}));
    QVERIFY(
        h.insert(QStringLiteral("banka"), {{QStringLiteral("Banka"), QStringLiteral("Türkiye İş Bankası")},
                                           {QStringLiteral("Sube"), QStringLiteral("Çarşı Şubesi")},
                                           {QStringLiteral("SubeKod"), QStringLiteral("0104")},
                                           {QStringLiteral("HesapNo"), QStringLiteral("TR12 0006 4000")},
                                           {QStringLiteral("Giren"), 125000.5},
                                           {QStringLiteral("Cikan"), 0.0},
                                           {QStringLiteral("Bakiye"), 125000.5},
                                           {QStringLiteral("HesapTuru"), QStringLiteral("Vadesiz")}}));
}

// The stock card's names as a shop fills them: a long product name, the widest capitals.
void stock(Harness &h)
{
    for (const char *category : {"İÇECEKLER", "TEMİZLİK ÜRÜNLERİ"})
        QVERIFY(h.insert(QStringLiteral("urun_marka"),
                         {{QStringLiteral("urunmarkaadi"), QString::fromUtf8(category)}}));
    for (const char *supplier : {"ŞENER GIDA", "ÖZ ÇAĞ"})
        QVERIFY(
            h.insert(QStringLiteral("urun_reyon"), {{QStringLiteral("reyon"), QString::fromUtf8(supplier)}}));
    QVERIFY(h.insert(QStringLiteral("Product"),
                     {{QStringLiteral("Product Code"), QStringLiteral("8690000000012")},
                      {QStringLiteral("Brand Name"), QStringLiteral("ÇİĞ KÖFTE ÜRÜNÜ İŞÇİLİK")},
                      {QStringLiteral("Generic Name"), QStringLiteral("İÇECEKLER")},
                      {QStringLiteral("OnHand"), 125000},
                      {QStringLiteral("Reorder Level"), 10},
                      {QStringLiteral("Price"), 125000.5},
                      {QStringLiteral("SatisFiyati"), 150000.75},
                      {QStringLiteral("SatisFiyati2"), 140000},
                      {QStringLiteral("SatisFiyati3"), 130000},
                      {QStringLiteral("Unit"), QStringLiteral("Adet")},
                      {QStringLiteral("Expiration Date"), QStringLiteral("12/9999")},
                      {QStringLiteral("Sinifi"), QStringLiteral("1.SINIF")},
                      {QStringLiteral("SaticiFirma"), QStringLiteral("ŞENER GIDA")}}));
}

// The main window's "Stok İşlemleri", as the user presses it.
frmProduct &stockCard(Harness &h)
{
    stock(h);
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    m.txtYetki = QStringLiteral("0");
    h.settle();
    h.click(m.stokbut);
    h.settle();
    return pv::form<frmProduct>();
}

// The stock card after the user's steps; shown: the panel they open, if any.
Opener stockCardThen(std::function<void(Harness &, frmProduct &)> steps,
                     std::function<QWidget *(frmProduct &)> shown = {})
{
    return [steps, shown](Harness &h, const Check &check) {
        frmProduct &f = stockCard(h);
        steps(h, f);
        h.settle();
        if (shown)
            QVERIFY2(shown(f)->isVisible(), qPrintable(shown(f)->objectName()));
        check(&f);
    };
}

// The stock card after its buttons, found by name, pressed in turn, with the panel they open.
Opener stockCardPanel(QStringList buttons, std::function<QWidget *(frmProduct &)> shown)
{
    return stockCardThen(
        [buttons](Harness &h, frmProduct &f) {
            for (const QString &b : buttons)
                h.click(f.findChild<BvButton *>(b));
        },
        std::move(shown));
}

// The search box switched to a mode.
Opener stockSearch(const QString &mode)
{
    return stockCardThen([mode](Harness &h, frmProduct &f) {
        const int i = f.arama->txtAra->findText(mode);
        QVERIFY2(i >= 0, qPrintable(mode));
        f.arama->txtAra->setCurrentIndex(i);
        emit f.arama->txtAra->activated(i);
        h.settle();
    });
}

Banka1 &bankAccounts(Harness &h)
{
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    h.settle();
    m.txtYetki = QStringLiteral("0");
    h.click(m.btnBanka);
    h.settle();
    return pv::form<Banka1>();
}

template <class T> Opener modeless(std::function<void(T &)> before = {})
{
    return [before](Harness &h, const Check &check) {
        T &w = pv::form<T>();
        if (before)
            before(w);
        w.Show(pv::Form::Modeless);
        h.settle();
        check(&w);
    };
}

veresiye &mainWindow(Harness &h)
{
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    m.txtYetki = QStringLiteral("0");
    h.settle();
    return m;
}

veresiye2 &accountWindow(Harness &h)
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("ÖZGÜR İNŞAAT ŞİRKETİ / 100 - ( EURO/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("100");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    h.settle();
    return w;
}

// A modal window, checked from inside its own loop, then closed.
// inside: what the user does in it first (a panel opened), if anything.
template <class T>
Opener modalFrom(std::function<void(Harness &)> trigger, std::function<void(Harness &, T &)> inside = {})
{
    return [trigger, inside](Harness &h, const Check &check) {
        bool seen = false;
        h.onModal<T>([&](T &w) {
            seen = true;
            if (inside) {
                inside(h, w);
                h.settle();
            }
            check(&w);
            w.hide();
        });
        trigger(h);
        h.settle();
        QVERIFY2(seen, T::staticMetaObject.className());
    };
}

kasa &cashBook(Harness &h)
{
    veresiye &m = mainWindow(h);
    h.click(m.KasaBtn);
    h.settle();
    return pv::form<kasa>();
}

// The cash book with one of its panels opened by its button.
Opener cashBookPanel(BvButton *kasa::*button)
{
    return [button](Harness &h, const Check &check) {
        kasa &k = cashBook(h);
        h.click(k.*button);
        check(&k);
    };
}

// The bank movements of the first account, opened from the accounts window.
void openBankMovements(Harness &h)
{
    Banka1 &b = bankAccounts(h);
    b.DBGrid1->selectRow(0);
    h.click(b.btnHrktAc);
}

// The e-mail window, from the account window's e-mail command.
void openMail(Harness &h)
{
    accountWindow(h).accountMail->mnuBagMail->trigger();
}

// The account window with one of its panels opened by its command: the panel is there
// and seen.
Opener accountPanel(BvButton *veresiye2::*command, const char *panel)
{
    return [command, panel](Harness &h, const Check &check) {
        veresiye2 &w = accountWindow(h);
        h.click(w.*command);
        h.settle();
        const auto *shown = w.findChild<QWidget *>(QLatin1String(panel));
        QVERIFY2(shown && shown->isVisible(), panel);
        check(&w);
    };
}

// The account window's re-pricing from stock, confirmed; done: left to run to its end.
Opener repricing(bool done)
{
    return [done](Harness &h, const Check &check) {
        veresiye2 &w = accountWindow(h);
        h.expectMsgBoxContaining(QStringLiteral("Emin misiniz?"), pv::vbYes);
        h.click(w.cariToplu->btnFiyatGuncelle);
        for (int i = 0; done && i < 10 && w.cariToplu->Frame3->isHidden(); ++i)
            h.advance(10);
        h.settle();
        QVERIFY(w.cariToplu->frmFiyatGuncel->isVisible());
        QCOMPARE(w.cariToplu->Frame3->isVisible(), done);
        check(&w);
    };
}

struct Window {
    const char *name;
    Opener open;
};

// Every window the harness can open, as the user first sees it.
QList<Window> windows()
{
    return {
        {"splash", modeless<frmSplash>()},
        {"login", modeless<frmLogin>()},
        {"main window", [](Harness &h, const Check &check) { check(&mainWindow(h)); }},
        {"main window, list totals",
         [](Harness &h, const Check &check) {
             veresiye &m = mainWindow(h);
             h.click(m.VornXPButton1);
             check(&m);
         }},
        {"overdue alert", modeless<frmAlert>()},
        {"customer card", modeless<musteriekle>([](musteriekle &c) { c.txtYetki = QStringLiteral("0"); })},
        {"account window", [](Harness &h, const Check &check) { check(&accountWindow(h)); }},
        {"sale entry",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton8); })},
        {"sale entry, stock list",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton8); },
                                    [](Harness &h, veresiyeekleode &d) { h.click(d.BvButton1); })},
        {"payment entry",
         modalFrom<veresiyealacakekle>([](Harness &h) { accountWindow(h).mnuOdeme_Click(); })},
        {"credit note entry",
         modalFrom<veresiyealacakekle>([](Harness &h) { accountWindow(h).mnuAlacak_Click(); })},
        {"settings", modeless<ayarlar>()},
        {"users", modeless<kullanici>()},
        {"units", modeless<birmler>()},
        {"about", modeless<Form3>()},
        {"backup", modeless<CopyFile>()},
        {"restore", modeless<CopyFile>([](CopyFile &c) {
             c.txtAlert = QStringLiteral("11");
             c.geriyuklefrm->setVisible(true);
         })},
        {"cash book", [](Harness &h, const Check &check) { check(&cashBook(h)); }},
        {"bank accounts", [](Harness &h, const Check &check) { check(&bankAccounts(h)); }},
        {"bank movements", modalFrom<Banka2>(openBankMovements)},
        {"e-mail", modalFrom<FrmEmail>(openMail)},
        {"e-mail, subjects",
         modalFrom<FrmEmail>(openMail, [](Harness &h, FrmEmail &e) { h.click(e.btnSecKonu); })},
        {"e-mail, message texts",
         modalFrom<FrmEmail>(openMail, [](Harness &h, FrmEmail &e) { h.click(e.btnSecMesaj); })},
        {"account window, contract",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             h.click(w.cariToplu->btnSozlesme);
             QVERIFY(w.cariToplu->frmSozlesme->isVisible());
             check(&w);
         }},
        {"account window, customer card", accountPanel(&veresiye2::MyButton1, "musterifrm")},
        {"account window, note", accountPanel(&veresiye2::btnNote, "frmNote")},
        {"account window, entry edit", accountPanel(&veresiye2::btnEdit, "frmHareketEdit")},
        {"account window, entry delete", accountPanel(&veresiye2::VornXPButton9, "frmSilEkran")},
        {"account window, print options",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             w.cariYazdir->mnuMHY->trigger();
             h.settle();
             QVERIFY(w.cariYazdir->musListesiFrm->isVisible());
             check(&w);
         }},
        {"account window, prices from stock", repricing(false)},
        {"account window, prices from stock done", repricing(true)},
        {"cash book, money in", cashBookPanel(&kasa::KasaGrsBtn)},
        {"cash book, money out", cashBookPanel(&kasa::KasaCksBtn)},
        {"cash book, totals and print", cashBookPanel(&kasa::yazdirBtn)},
        {"bank accounts, new account",
         [](Harness &h, const Check &check) {
             Banka1 &b = bankAccounts(h);
             h.click(b.btnBankEkle);
             check(&b);
         }},
        {"bank movements, customer entry", modalFrom<Banka2>(openBankMovements,
                                                             [](Harness &h, Banka2 &b) {
                                                                 b.mnubankGlnHE->trigger();
                                                                 h.settle();
                                                                 h.click(b.btnSec);
                                                             })},
        {"bank movements, income entry",
         modalFrom<Banka2>(openBankMovements, [](Harness &, Banka2 &b) { b.mnuGGelir->trigger(); })},
        {"stock card", [](Harness &h, const Check &check) { check(&stockCard(h)); }},
        {"stock card, new product", stockCardThen([](Harness &h, frmProduct &f) { h.click(f.cmdAdd); },
                                                  [](frmProduct &f) -> QWidget * { return f.cboLocation; })},
        {"stock card, editing", stockCardThen([](Harness &h, frmProduct &f) { h.click(f.cmdEdit); },
                                              [](frmProduct &f) -> QWidget * { return f.cboGName; })},
        {"stock card, categories",
         stockCardPanel({"cmdEdit", "MyButton7"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->urunmarkafrm; })},
        {"stock card, new category",
         stockCardPanel({"cmdEdit", "MyButton7", "MyButton2"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->urunmarkafrm2; })},
        {"stock card, suppliers",
         stockCardPanel({"cmdEdit", "btnTdrkEkle"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->reyonfrm; })},
        {"stock card, new supplier",
         stockCardPanel({"cmdEdit", "btnTdrkEkle", "vekbutton4"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->xpFrame3; })},
        {"stock card, stock in and out",
         stockCardThen([](Harness &h, frmProduct &f) { h.click(f.arama->btnSec); },
                       [](frmProduct &f) -> QWidget * { return f.islemler->frmStokEkle; })},
        {"stock card, price totals",
         stockCardThen([](Harness &h, frmProduct &f) { h.click(f.btnTutarHesapla); },
                       [](frmProduct &f) -> QWidget * { return f.islemler->Frame1; })},
        {"stock card, search by name", stockSearch(QStringLiteral("Ara > Ürün Adı"))},
        {"stock card, search by category", stockSearch(QStringLiteral("Ara > Ürün Kategorisi"))},
        {"stock card, search by class", stockSearch(QStringLiteral("Ara > Ürün Sınıfı"))},
        {"stock card, search by VAT kind", stockSearch(QStringLiteral("Ara > Ürün KDV Türü"))},
        {"stock card, search by VAT rate", stockSearch(QStringLiteral("Ara > Ürün KDV Oranı"))},
        {"stock card, critical stock list", stockCardThen([](Harness &h, frmProduct &f) {
             f.arama->mnukso->trigger();
             h.settle();
         })},
        {"database repair", modeless<frmCompact>()},
    };
}

// The captions (labels, not data) of a laid-out report, as the preview draws them at 100 %
// (96 dots per inch): each inside its box.
QStringList reportFaults(pv::Report &r)
{
    QSet<QString> labels;
    for (pv::ReportControl &c : r.controls())
        if (c.kind() == pv::ControlKind::Label)
            labels.insert(c.name().toLower());
    const pv::ReportDocument doc = r.run();
    QImage sheet(10, 10, QImage::Format_RGB32); // 96 dpi, as the preview at 100 %
    QStringList faults;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const pv::ReportDrawOp &op : doc.pages[size_t(p)]) {
            if (op.type != pv::ReportDrawOp::Text || !labels.contains(op.item.toLower()) ||
                op.text.trimmed().isEmpty())
                continue;
            const QFontMetricsF fm(pv::reportQFont(op.font), &sheet);
            const double room = (op.rect.width() - 2 * pv::kReportTextPad) * 96.0 / 1440.0;
            const double w = fm.horizontalAdvance(op.text);
            if (op.cut)
                faults << QStringLiteral("report %1 label %2 \"%3\": cut at its box's edge")
                              .arg(r.name(), op.item, op.text);
            else if (w > room + 0.5)
                faults << QStringLiteral("report %1 label %2 \"%3\": %4 px wide, box %5")
                              .arg(r.name(), op.item, op.text)
                              .arg(w, 0, 'f', 1)
                              .arg(room, 0, 'f', 1);
        }
    return faults;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pv::registerAppReports(); }

    // Every report's captions fit their boxes at 100 %.
    void reportCaptionsFit_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("source");
        QTest::newRow("statement") << "Extre"
                                   << "select * from veresiye ORDER BY Tarih2,[Saat]";
        QTest::newRow("account report") << "carirapor"
                                        << "select * from veresiye ORDER BY Tarih2,[Saat]";
        QTest::newRow("customer list") << "musterilistesi"
                                       << "select * from musteriler ORDER BY MusteriFirma asc ";
        QTest::newRow("daily report") << "CariGunlukRapor"
                                      << "select * from veresiye ORDER BY [Tarih],[Saat]";
        QTest::newRow("cash report") << "kasaRapor"
                                     << "select * from kasa ORDER BY Tarih2,[Saat] asc";
        QTest::newRow("contract") << "Sozlesme"
                                  << "select * from veresiye ORDER BY Tarih2,[Saat]";
    }
    void reportCaptionsFit()
    {
        QFETCH(QString, layout);
        QFETCH(QString, source);
        Harness h;
        shop(h);
        pv::Report &r = pv::Reports::get(layout);
        r.dataControl().setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                            h.databasePath() +
                                            QStringLiteral(";Persist Security Info=False"));
        r.dataControl().setSource(source);
        const QStringList faults = reportFaults(r);
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    void everyTextFitsItsBox_data()
    {
        QTest::addColumn<int>("index");
        const QList<Window> all = windows();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name) << i;
    }
    void everyTextFitsItsBox()
    {
        QFETCH(int, index);
        Harness h;
        shop(h);
        QStringList faults;
        bool checked = false;
        windows().at(index).open(h, [&](QWidget *w) {
            checked = true;
            faults = faultsOf(w);
        });
        QVERIFY(checked);
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    // The checks themselves see a clipped caption, header, list item and pop-up row.
    void checksSeeClipping()
    {
        Harness h;
        QWidget w;
        w.resize(400, 300);
        auto *l = new QLabel(QStringLiteral("Listedeki Toplam Müşteri :"), &w);
        l->setGeometry(0, 0, 40, 20);
        auto *low = new QLabel(QStringLiteral("ÖDENEN"), &w);
        low->setGeometry(0, 30, 200, 8);
        auto *g = new QTableView(&w);
        g->setGeometry(0, 50, 200, 100);
        QStandardItemModel model(1, 2);
        model.setHorizontalHeaderLabels({QStringLiteral("PARA TÜRÜ"), QStringLiteral("MÜŞTERİ NO")});
        g->setModel(&model);
        g->setColumnWidth(0, 20);
        g->setColumnWidth(1, 300);
        auto *list = new QListWidget(&w);
        list->setGeometry(0, 160, 30, 60);
        list->addItem(QStringLiteral("3 - Bayi Fiyatı"));
        auto *combo = new QComboBox(&w);
        combo->setGeometry(0, 230, 200, 22);
        combo->setEditable(true);
        combo->addItem(QStringLiteral("Kira Ödemesi"));
        w.show();
        h.settle();
        const QString all = faultsOf(&w).join(QLatin1Char('\n'));
        QVERIFY2(all.contains(QStringLiteral("Listedeki Toplam Müşteri")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("\"ÖDENEN\": taller")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("\"PARA TÜRÜ\"")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("columns")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("3 - Bayi Fiyatı")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("\"Kira Ödemesi\": rows")), qPrintable(all));
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"

// Every text fits its box: each window the program opens, at its designed size, is read
// control by control, and a caption, label, grid column header or list item whose text is
// wider or taller than its box (in the font the control really draws with) fails.
//
// The windows and panel states checked are those of tests/windows (windows()): add a new
// one there.
#include "app/reports/AppReports.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/report/Report.h"
#include "platform/report/ReportDocument.h"
#include "tests/harness/Harness.h"
#include "tests/windows/Windows.h"

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
using pv::test::shop;
using pv::test::Window;
using pv::test::windows;

namespace
{

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
        pv::Database db;
        QVERIFY(db.open(h.databasePath()));
        r.dataControl().setDatabase(db);
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

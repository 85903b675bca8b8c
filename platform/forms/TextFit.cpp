#include "platform/forms/TextFit.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <numeric>
#include <vector>

namespace pv
{

namespace
{

// The text the rows must hold upright: capitals with dots and cedillas, and descenders.
const QString kTallest = QStringLiteral("İÖÜŞĞÇÂgjpy");

// Rows no lower than the font's text needs.
class TallRows : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), rowHeightFor(option.font)));
        return s;
    }
};

// The width the header of column c needs; a highlighted header draws its labels bold.
int headerNeed(const QTableView *grid, int c)
{
    const QHeaderView *h = grid->horizontalHeader();
    QFont f = h->font();
    if (h->highlightSections())
        f.setBold(true);
    const QString text = grid->model()->headerData(c, Qt::Horizontal).toString();
    const int margin = grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    return QFontMetrics(f).horizontalAdvance(text) + 2 * margin + 2;
}

// Fits the grid again whenever it changes size (a window's auto-sizer) or its row numbers
// widen.
class GridWatch : public QObject
{
public:
    explicit GridWatch(QTableView *grid) : QObject(grid), m_grid(grid)
    {
        grid->installEventFilter(this);
        // The row numbers widen with the rows, which narrows the viewport: fitted again
        // once the grid has laid itself out.
        connect(
            grid->verticalHeader(), &QHeaderView::geometriesChanged, this, [this] { fitGrid(m_grid); },
            Qt::QueuedConnection);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_grid && event->type() == QEvent::Resize)
            fitGrid(m_grid);
        return false;
    }

private:
    QTableView *m_grid;
};

} // namespace

int rowHeightFor(const QFont &font)
{
    const QFontMetrics fm(font);
    const QRect ink = fm.boundingRect(kTallest);
    // Centred in the row: what stands out above the ascent is kept free below too.
    const int above = std::max(0, -ink.top() - fm.ascent());
    const int below = std::max(0, ink.bottom() - fm.descent());
    return fm.height() + 2 * std::max(above, below) + 4;
}

void fitGrid(QTableView *grid)
{
    if (!grid || !grid->model())
        return;
    QHeaderView *h = grid->horizontalHeader();
    // Whole rows are selected, so a highlighted header would turn every label bold at once.
    // The labels stay in the grid's font.
    h->setHighlightSections(false);
    const int n = grid->model()->columnCount();
    std::vector<int> cols, width, need;
    for (int c = 0; c < n; ++c) {
        if (h->isSectionHidden(c) || h->sectionSize(c) <= 0)
            continue;
        cols.push_back(c);
        width.push_back(h->sectionSize(c));
        need.push_back(headerNeed(grid, c));
    }
    if (!cols.empty() && !h->isHidden()) {
        // The room without sideways scrolling, with a vertical scroll bar and row numbers of
        // up to five digits allowed for, however many rows there are now.
        int room = grid->viewport()->width();
        if (grid->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
            !grid->verticalScrollBar()->isVisible())
            room -= grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
        const QHeaderView *v = grid->verticalHeader();
        if (!v->isHidden()) {
            const int margin = grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, v);
            const int numbers =
                QFontMetrics(v->font()).horizontalAdvance(QStringLiteral("99999")) + 2 * margin;
            room -= std::max(0, numbers - v->width());
        }
        const int total = std::accumulate(width.begin(), width.end(), 0);
        const int needed = std::accumulate(need.begin(), need.end(), 0);
        if (needed > room) {
            // Too many columns for any width: each keeps at least its header, and the grid
            // scrolls sideways.
            for (size_t i = 0; i < width.size(); ++i)
                width[i] = std::max(width[i], need[i]);
        } else if (total > room && room > 0) {
            for (int &w : width)
                w = w * room / total;
        }
        // Headers that do not fit take what the others can spare.
        int missing = 0, spare = 0;
        for (size_t i = 0; i < width.size(); ++i) {
            missing += std::max(0, need[i] - width[i]);
            spare += std::max(0, width[i] - need[i]);
        }
        if (missing > 0) {
            const int take = std::min(missing, spare);
            int taken = 0;
            for (size_t i = 0; i < width.size(); ++i) {
                const int slack = width[i] - need[i];
                if (slack > 0 && spare > 0) {
                    const int t = int(qint64(slack) * take / spare);
                    width[i] -= t;
                    taken += t;
                }
            }
            // What the shares left over in rounding, a pixel at a time from those with room.
            for (size_t i = 0; i < width.size() && taken < take; ++i) {
                const int t = std::min(take - taken, std::max(0, width[i] - need[i]));
                width[i] -= t;
                taken += t;
            }
            for (size_t i = 0; i < width.size() && taken > 0; ++i) {
                const int add = std::min(std::max(0, need[i] - width[i]), taken);
                width[i] += add;
                taken -= add;
            }
        }
        for (size_t i = 0; i < cols.size(); ++i)
            if (h->sectionSize(cols[i]) != width[i])
                h->resizeSection(cols[i], width[i]);
    }
    QHeaderView *rows = grid->verticalHeader();
    const int row = rowHeightFor(grid->font());
    if (rows->defaultSectionSize() < row)
        rows->setDefaultSectionSize(row);
}

void fitList(QListView *list)
{
    if (!list || dynamic_cast<TallRows *>(list->itemDelegate()))
        return;
    // Only the plain delegate is replaced; a list that draws its own rows keeps them.
    if (list->itemDelegate() && QString::fromLatin1(list->itemDelegate()->metaObject()->className()) !=
                                    QLatin1String("QStyledItemDelegate"))
        return;
    list->setItemDelegate(new TallRows(list));
}

void fitCombo(QComboBox *combo)
{
    if (!combo)
        return;
    // An editable combo lists its items in plain rows, no taller than the text's line; one
    // the user only picks from draws menu rows, which are tall enough already. Whether its
    // pop-up will draw menu rows is the style's word: a pop-up not made yet is not made
    // only to be found fitting.
    if (!combo->findChild<QAbstractItemView *>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        if (combo->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, combo))
            return;
    }
    if (combo->itemDelegate() && QString::fromLatin1(combo->itemDelegate()->metaObject()->className()) ==
                                     QLatin1String("QComboBoxDelegate"))
        combo->setItemDelegate(new TallRows(combo));
}

void fitTexts(QWidget *window)
{
    if (!window)
        return;
    for (QTableView *g : window->findChildren<QTableView *>()) {
        if (!g->findChild<GridWatch *>(QString(), Qt::FindDirectChildrenOnly))
            new GridWatch(g); // owned by the grid
        fitGrid(g);
    }
    for (QListView *l : window->findChildren<QListView *>())
        fitList(l);
    for (QComboBox *c : window->findChildren<QComboBox *>())
        fitCombo(c);
}

} // namespace pv

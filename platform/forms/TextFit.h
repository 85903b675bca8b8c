#pragma once
// Every text fits its box at the window's designed size: grid columns are scaled to the
// grid's width and widened for their headers, and the rows of grids, lists and combo
// pop-ups are made tall enough for the dots and cedillas of Turkish capitals (İ, Ö, Ş).
// Forms do this when they are shown; a window that fills a grid later may call it again.

class QComboBox;
class QFont;
class QListView;
class QTableView;
class QWidget;

namespace pv
{

// The height a row needs for one line of text in this font, the dots of capitals included.
int rowHeightFor(const QFont &font);

// Columns: when all columns are wider than the grid shows, they are scaled down to it; a
// header that does not fit its column widens it, taking the room from columns with more
// than their header needs. A grid whose headers alone are wider than it keeps every
// header whole and scrolls sideways. Rows: at least rowHeightFor the grid's font.
void fitGrid(QTableView *grid);
// Rows of a list at least rowHeightFor its font.
void fitList(QListView *list);
// The rows of a combo's pop-up at least rowHeightFor its font.
void fitCombo(QComboBox *combo);
// All three, for every grid, list and combo inside the window.
void fitTexts(QWidget *window);

} // namespace pv

#include "platform/databind/DataGridModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace pv
{

DataGridModel::DataGridModel(DataControl *control, const QList<GridColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_control(control), m_columns(columns)
{
    connect(control, &DataControl::rowsReset, this, &DataGridModel::reset);
    connect(control, &DataControl::rowUpdated, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); });
    connect(control, &DataControl::Reposition, this, &DataGridModel::followControl);
    connect(control, &DataControl::rowsRead, this, &DataGridModel::rowsRead);
    reset();
}

void DataGridModel::reset()
{
    beginResetModel();
    m_fieldIndex.clear();
    for (const GridColumn &c : std::as_const(m_columns))
        m_fieldIndex << (m_control ? m_control->Recordset().fieldIndex(c.field) : -1);
    m_rows = m_control ? m_control->Recordset().rowsRead() : 0;
    endResetModel();
    followControl();
}

int DataGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_control ? 0 : m_rows;
}

void DataGridModel::rowsRead()
{
    const int now = m_control ? m_control->Recordset().rowsRead() : 0;
    if (now <= m_rows)
        return;
    beginInsertRows({}, m_rows, now - 1);
    m_rows = now;
    endInsertRows();
}

bool DataGridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_control && m_control->Recordset().hasMoreRows();
}

void DataGridModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        m_control->Recordset().readMoreRows(); // told back through rowsRead
}

int DataGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataGridModel::data(const QModelIndex &index, int role) const
{
    if (!m_control || !index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_control->Recordset().textAt(index.row(), m_fieldIndex.value(index.column(), -1));
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns.at(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void DataGridModel::attach(QTableView *view, const std::function<int(int)> &widthToPixels)
{
    m_view = view;
    view->setModel(this);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (widthToPixels)
        for (int i = 0; i < m_columns.size(); ++i)
            view->setColumnWidth(i, widthToPixels(m_columns.at(i).width));
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_syncing || !m_control || !current.isValid())
                    return;
                if (current.row() != m_control->currentRow())
                    m_control->setCurrentRow(current.row());
            });
    followControl();
}

void DataGridModel::followControl()
{
    if (!m_view || !m_control || !m_view->selectionModel())
        return;
    const int row = m_control->currentRow();
    QItemSelectionModel *sel = m_view->selectionModel();
    if (row < 0) {
        m_syncing = true;
        sel->clearSelection();
        m_syncing = false;
        return;
    }
    if (sel->currentIndex().row() == row && sel->isRowSelected(row))
        return;
    m_syncing = true;
    const int col = std::max(sel->currentIndex().column(), 0);
    sel->setCurrentIndex(index(row, col), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_syncing = false;
}

} // namespace pv

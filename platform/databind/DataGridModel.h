#pragma once
// A read-only table model over a data control's rows, with the columns a window names.
// Attached to a view, the view's selected row is the control's current row and the
// other way round.
#include "platform/databind/DataControl.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>

class QTableView;

namespace pv
{

struct GridColumn {
    QString caption;
    QString field;
    int width = 0; // in the window's layout units; attach() converts when asked to
};

class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    DataGridModel(DataControl *control, const QList<GridColumn> &columns, QObject *parent = nullptr);

    const QList<GridColumn> &columns() const { return m_columns; }
    DataControl *control() const { return m_control; }

    // Sets this model on the view (whole rows selected, no editing) and keeps the view's
    // current row and the control's current row together. widthToPixels, when given,
    // turns each column's width into the view's column width.
    void attach(QTableView *view, const std::function<int(int)> &widthToPixels = {});

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A set read on demand: the rows read so far are shown, more as the view scrolls on.
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void reset();
    void rowsRead();
    void followControl();

    QPointer<DataControl> m_control;
    QList<GridColumn> m_columns;
    QList<int> m_fieldIndex;
    QPointer<QTableView> m_view;
    bool m_syncing = false;
    int m_rows = 0; // rows shown: those the record set had read when last told
};

} // namespace pv

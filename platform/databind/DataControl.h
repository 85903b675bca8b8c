#pragma once
// A window's data control: a database file, a record source (a table name or SQL), the
// record set it yields and its current row, and the widgets bound to that row's fields.
//
//   dc->setDatabaseName(folder + "/pelvanor.dll");
//   dc->setRecordSource("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat", {code});
//   dc->Refresh();                       // runs the source, stands on the first row
//   dc->bind(txtEdit1, "Tarih");         // shows the current row's Tarih
//   ...
//   dc->UpdateRecord();                  // writes what the user changed in bound widgets
//
// A bound widget shows the current row's value and raises its own change signal
// (textChanged, toggled, currentTextChanged) only when the shown value really changes.
// Values typed into bound widgets are written back only by UpdateRecord(): never on a row
// move, a Refresh or a close. Moving through Recordset() moves the control too.
#include "platform/data/Recordset.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QLabel;
class QCheckBox;
class QComboBox;

namespace pv
{

class DataControl : public QObject
{
    Q_OBJECT
public:
    explicit DataControl(QObject *parent = nullptr);
    ~DataControl() override;

    // The database file's full path.
    void setDatabaseName(const QString &path);
    // A table name or a select; typed values go in params, never into the SQL text.
    void setRecordSource(const QString &source, const QVariantList &params = {});
    void setRecordSource(const QString &source, const QVariantMap &params);

    // Opens the file if needed, runs the source again and stands on its first row.
    bool Refresh();
    // Closes the record set and lets go of the file (bound widgets are emptied).
    void close();

    pv::Recordset &Recordset() { return m_rs; }
    pv::Database &Database() { return m_db; }
    const DbError &lastError() const { return m_error; }

    int currentRow() const { return m_rs.AbsolutePosition(); } // -1 when none
    bool setCurrentRow(int row) { return m_rs.setAbsolutePosition(row); }

    // Bindings. A text box shows a value longer than itself from its start; a check box
    // shows a non-zero, non-empty value as checked and writes 1 or 0; a list-only combo box
    // selects the item of that text (none when absent); a label only shows. The generic
    // form binds anything that can show and give back text.
    void bind(QLineEdit *w, const QString &field);
    void bind(QLabel *w, const QString &field);
    void bind(QCheckBox *w, const QString &field);
    void bind(QComboBox *w, const QString &field);
    void bind(QObject *owner, const QString &field, std::function<void(const QString &)> show,
              std::function<QString()> read);
    void unbind(QObject *owner);

    // Writes the bound values the window changed into the current row (or into the row
    // being added or edited after Recordset().AddNew() / Edit(), completing it). All or nothing: a value its
    // column cannot take fails the whole write and the row stays as stored. True when nothing changed.
    bool UpdateRecord();
    // The same for the named fields only (names ignore case): a panel saves its own boxes,
    // and what the user typed into boxes of other fields is neither written nor replaced
    // on screen.
    bool UpdateRecord(const QStringList &fields);
    // The bound fields whose widgets the window changed since the row was last shown, with
    // their texts: what UpdateRecord() would write, for a window that writes elsewhere.
    QList<QPair<QString, QString>> changedValues() const;
    // Drops a pending AddNew/Edit; bound widgets show the stored values again.
    void CancelUpdate();
    // Shows the stored values again in the boxes of the named fields only (a panel left
    // without saving); the other boxes keep what was typed into them.
    void revertFields(const QStringList &fields);
    // The bound widget holds something other than what it was shown: what UpdateRecord
    // would write. False for a widget that is not bound.
    bool isChanged(const QObject *owner) const;

signals:
    // The current row has moved (also after Refresh).
    void Reposition();
    // The rows were replaced, added or deleted (a grid re-reads them).
    void rowsReset();
    // A row's values were written.
    void rowUpdated(int row);
    // More rows of a set read on demand were read; they follow the rows read before.
    void rowsRead();

private:
    struct Binding {
        QPointer<QObject> owner;
        QString field;
        std::function<void(const QString &)> show;
        std::function<QString()> read; // null for display-only
        QString shownText;             // what read() gave right after the last show
    };
    void onChange(pv::Recordset::Change c);
    void showAll();
    void show(std::shared_ptr<Binding> b);
    bool update(const QStringList *only);
    QList<QPair<QString, QString>> changed(const QStringList *only) const;
    static bool named(const QStringList *only, const QString &field)
    {
        return !only || only->contains(field, Qt::CaseInsensitive);
    }

    QString m_databaseName;
    QString m_source;
    QVariantList m_params;
    QVariantMap m_named;
    pv::Database m_db;
    pv::Recordset m_rs;
    DbError m_error;
    std::vector<std::shared_ptr<Binding>> m_bindings;
    // While a save of named fields runs: the boxes of other fields keep their typed text.
    const QStringList *m_saving = nullptr;
};

// A box given a stored value, bound or by code: a value longer than the box shows its
// start, not its end.
void showFromStart(QLineEdit *box, const QString &text);

} // namespace pv

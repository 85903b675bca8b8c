#pragma once
// What the administration windows share: controls placed by the designs' twips, the
// backup file's name, the one copy routine of the backup windows, and letting go of the
// database file before it is replaced or handed to another program.
#include "app/FormKit.h"

#include <QLabel>
#include <QList>
#include <QString>

class QuorvelXPProgressBar;

namespace pv
{
class DataControl;
class Form;
} // namespace pv

namespace admin
{

using kit::button;
using kit::comboBox;
using kit::Design;
using kit::frame;
using kit::place;
using kit::progressBar;
using kit::textBox;

// The administration windows' captions wrap onto a second line.
inline QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h,
                     const QString &caption)
{
    return kit::label(parent, name, l, t, w, h, caption, Qt::AlignLeft | Qt::AlignVCenter, true);
}

// "BrennavikPelvanor_Yedek_DD-MM-YY(HH-MM-SS).ydk" for the program clock's now.
QString backupFileName();
// Where backups go: the folder set in the settings, or, with none set, the folder
// "Yedekler" beside the database (created when missing). Native separators, ending in a
// separator, ready to have a file name appended.
QString backupFolder(const QString &configured);
// A backup file name as the user left it, made whole: a name without a folder goes into
// the backup folder, never into the process's working folder.
QString backupTarget(const QString &typed, const QString &configuredFolder);
// The folder with a path separator at its end, so that a file name can follow it; an
// empty folder stays empty.
QString withTrailingSeparator(const QString &folder);

// The automatic-backup switch as the settings row holds it: on for any number but 0.
bool switchIsOn(const QString &text);

enum class CopyKind {
    Backup,  // source is the program's database, possibly open
    Restore, // source is a backup file; the destination must be free
};

// Copies source over destination and returns the bytes written, 0 when nothing was.
// The source is checked first (exists, readable, not empty, not the destination; for a
// restore, a database of this program), then the user is asked before an existing
// destination is replaced (questionTitle). The copy goes to a temporary file beside the
// destination, through SQLite's online backup, so it is consistent even while the
// program has the file open, and replaces the destination only when complete. The bar
// follows in percent and is left at 0. Failures show "Kopyalama Hatası!, Yeniden deneyin.".
qint64 copyDatabase(const QString &source, const QString &destination, const QString &questionTitle,
                    QuorvelXPProgressBar *bar, CopyKind kind);

// A file that SQLite opens and that holds this program's tables.
bool isProgramDatabase(const QString &path);
// Some connection of this process still holds the file open.
bool databaseInUse(const QString &path);

// Unloads every loaded window but keep, and lets their deferred deletions run so that
// their data controls let go of the file.
void unloadOtherForms(pv::Form *keep);

// Hands the database file to another program (the repair program, the updater): every
// other window is unloaded and mainWindow's own data controls let go of the file, then
// the program is started; mainWindow unloads once it has started. When it does not start,
// failText is shown and mainWindow stays, its data read again.
bool startProgramWithDatabaseFree(const QString &bareName, const QString &failText, pv::Form *mainWindow,
                                  const QList<pv::DataControl *> &ownControls);
// Starts a tool beside the program (the remote help); failText when it does not start.
bool startTool(const QString &bareName, const QString &failText);

} // namespace admin

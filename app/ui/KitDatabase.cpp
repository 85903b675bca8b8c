#include "app/ui/Kit.h"

#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace ui
{

QString backupFileName()
{
    const QDateTime now = pv::Clock::now();
    return QStringLiteral("BrennavikPelvanor_Yedek_") + pv::backupDateStamp(now.date()) + QLatin1Char('(') +
           pv::backupTimeStamp(now.time()) + QStringLiteral(").ydk");
}

QString backupFolder(const QString &configured)
{
    QString folder = configured.trimmed();
    if (folder.isEmpty()) {
        folder = QFileInfo(pv::databasePath()).absolutePath() + QStringLiteral("/Yedekler");
        QDir().mkpath(folder);
    }
    return withTrailingSeparator(QDir::toNativeSeparators(folder));
}

QString backupTarget(const QString &typed, const QString &configuredFolder)
{
    const QString name = typed.trimmed();
    if (name.isEmpty() || !QFileInfo(QDir::fromNativeSeparators(name)).isRelative())
        return name;
    return backupFolder(configuredFolder) + name;
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QDir::separator();
}

bool switchIsOn(const QString &text)
{
    const auto n = pv::toNumber(text);
    return n && *n != 0;
}

namespace
{

const QString kCopyFailed = QStringLiteral("Kopyalama Hatası!, Yeniden deneyin.");

// The file's identity for "is it the same file": the resolved path when it exists.
QString fileKey(const QString &path)
{
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : canonical;
}

bool sourceIsUsable(const QString &source, const QString &destination)
{
    if (source.isEmpty() || destination.isEmpty())
        return false;
    const QFileInfo fi(source);
    if (!fi.exists() || !fi.isFile() || !fi.isReadable() || fi.size() == 0 || QFileInfo(destination).isDir())
        return false;
    return fileKey(source) != fileKey(destination);
}

struct SqliteHandle {
    sqlite3 *db = nullptr;
    ~SqliteHandle() { sqlite3_close(db); }
};

// Online backup of src into the new file at target; the bar follows in percent.
bool backupInto(sqlite3 *src, const QString &target, QuorvelXPProgressBar *bar)
{
    SqliteHandle dest;
    if (sqlite3_open_v2(target.toUtf8().constData(), &dest.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        return false;
    sqlite3_backup *b = sqlite3_backup_init(dest.db, "main", src, "main");
    if (!b)
        return false;
    int rc = SQLITE_OK;
    int shown = -1;
    int waits = 0;
    do {
        rc = sqlite3_backup_step(b, 64);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (++waits > 100)
                break;
            sqlite3_sleep(50);
            continue;
        }
        const int total = sqlite3_backup_pagecount(b);
        const int remaining = sqlite3_backup_remaining(b);
        const int percent = total > 0 ? 100 - int(qint64(remaining) * 100 / total) : 100;
        if (bar && percent != shown) {
            bar->setValue(percent);
            shown = percent;
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    const bool done = rc == SQLITE_DONE;
    return sqlite3_backup_finish(b) == SQLITE_OK && done;
}

// Part files of copies that never finished (the program was ended or the disk filled):
// hidden files ".<name>.ydk.part" and their journals, and the part file of destination.
void removeStaleParts(const QString &destination)
{
    QDir dir(QFileInfo(destination).absolutePath());
    const QStringList parts =
        dir.entryList({QStringLiteral(".*.ydk.part"), QStringLiteral(".*.ydk.part-journal")},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : parts)
        dir.remove(name);
    removeCopyPart(destination);
}

// Moves a file with its journal (a journal left by a broken write belongs to its file).
bool moveWithJournal(const QString &from, const QString &to)
{
    const QString journal = QStringLiteral("-journal");
    QFile::remove(to);
    QFile::remove(to + journal);
    if (!pv::renameDurably(from, to))
        return false;
    if (QFileInfo::exists(from + journal))
        pv::renameDurably(from + journal, to + journal);
    return true;
}

qint64 fail(QuorvelXPProgressBar *bar, const QString &text = kCopyFailed)
{
    if (bar)
        bar->setValue(0);
    if (text == kCopyFailed)
        pv::MsgBox(text, pv::vbInformation, QStringLiteral("Bilgi"));
    else
        pv::MsgBox(text, pv::vbCritical, QStringLiteral("Hata"));
    return 0;
}

const QString kNotProgramDatabase =
    QStringLiteral("Seçilen dosya bu programın veri tabanı değil; hiçbir şey değiştirilmedi.");
const QString kBackupNeedsRollBack =
    QStringLiteral("Seçilen dosyada yarım kalmış bir kayıt var; hiçbir şey değiştirilmedi.\n\nDosya ve "
                   "bulunduğu klasör yazılabilir olduğunda yarım kayıt geri alınır ve dosya geri "
                   "yüklenebilir.");

} // namespace

void unloadOtherForms(pv::Form *keep)
{
    for (pv::Form *f : pv::loadedForms())
        if (f != keep)
            pv::Unload(f);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool startProgramWithDatabaseFree(const QString &bareName, const QString &failText, pv::Form *mainWindow,
                                  const QList<pv::DataControl *> &ownControls)
{
    unloadOtherForms(mainWindow);
    for (pv::DataControl *dc : ownControls)
        dc->close();
    if (pv::startProgram(bareName)) {
        pv::Unload(mainWindow);
        return true;
    }
    pv::MsgBox(failText, pv::vbCritical, QStringLiteral("Hata"));
    for (pv::DataControl *dc : ownControls)
        dc->Refresh();
    return false;
}

bool startTool(const QString &bareName, const QString &failText)
{
    if (pv::startProgram(bareName))
        return true;
    pv::MsgBox(failText, pv::vbCritical, QStringLiteral("Hata"));
    return false;
}

QString copyPartPath(const QString &destination)
{
    const QFileInfo dest(destination);
    return dest.absolutePath() + QStringLiteral("/.") + dest.fileName() + QStringLiteral(".part");
}

void removeCopyPart(const QString &destination)
{
    const QString part = copyPartPath(destination);
    QFile::remove(part);
    QFile::remove(part + QStringLiteral("-journal"));
}

qint64 copyDatabase(const QString &source, const QString &destination, const QString &questionTitle,
                    QuorvelXPProgressBar *bar, CopyKind kind)
{
    if (!sourceIsUsable(source, destination))
        return fail(bar);
    if (kind == CopyKind::Restore) {
        switch (pv::checkProgramDatabase(source, pv::schemaSql())) {
        case pv::ProgramFile::Ours:
            break;
        case pv::ProgramFile::NotOurs:
            return fail(bar, kNotProgramDatabase);
        case pv::ProgramFile::NeedsRollBack:
            return fail(bar, kBackupNeedsRollBack);
        }
    }
    if (kind == CopyKind::Restore && pv::databaseInUse(destination))
        return fail(bar);

    if (QFileInfo::exists(destination) &&
        pv::MsgBox(destination +
                       QStringLiteral("\n\nDosyası zaten var. Varolan dosya ile değiştirilsin mi? "),
                   pv::vbYesNo | pv::vbQuestion, questionTitle) != pv::vbYes)
        return 0;

    const QString temp = copyPartPath(destination);
    removeStaleParts(destination);
    bool ok = false;
    {
        // Joins the program's own connection when the file is open, so the copy sees
        // exactly what the program has written.
        pv::Database src;
        ok = src.open(source) && backupInto(src.handle(), temp, bar);
    }
    if (ok && kind == CopyKind::Restore) {
        // What is about to replace the live file is checked once more, as written.
        if (!pv::isProgramDatabase(temp, pv::schemaSql())) {
            QFile::remove(temp);
            return fail(bar, kNotProgramDatabase);
        }
        // The replaced database stays beside it until the restored one has opened at the
        // next start (which then removes it, or puts it back when the restored one fails).
        const QString previous = pv::previousDatabasePath(destination);
        const bool hadOld = QFileInfo::exists(destination);
        ok = !hadOld || moveWithJournal(destination, previous);
        if (ok && !pv::renameDurably(temp, destination)) {
            ok = false;
            if (hadOld)
                moveWithJournal(previous, destination);
        }
    } else if (ok) {
        ok = pv::renameDurably(temp, destination);
    }
    if (!ok) {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        return fail(bar);
    }
    if (bar)
        bar->setValue(0);
    return QFileInfo(destination).size();
}

} // namespace ui

#include "app/ui/Kit.h"

#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/SqlFunctions.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <sqlite3.h>

namespace ui
{

QString backupFileName()
{
    const QDateTime now = pv::Clock::now();
    return QStringLiteral("BrennavikPelvanor_Yedek_") + pv::backupDateStamp(now.date()) + QLatin1Char('(') +
           pv::backupTimeStamp(now.time()) + QStringLiteral(").ydk");
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

bool replaceFile(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    return !ec;
}

qint64 fail(QuorvelXPProgressBar *bar)
{
    if (bar)
        bar->setValue(0);
    pv::MsgBox(kCopyFailed, pv::vbInformation, QStringLiteral("Bilgi"));
    return 0;
}

} // namespace

bool isProgramDatabase(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.read(16) != QByteArray("SQLite format 3\0", 16))
        return false;
    f.close();
    SqliteHandle h;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        pv::registerSqlFunctions(h.db) != SQLITE_OK)
        return false;
    sqlite3_stmt *st = nullptr;
    const char *sql = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN "
                      "('user', 'dgrayr', 'musteriler', 'veresiye', 'kasa', 'yedek_yeri')";
    if (sqlite3_prepare_v2(h.db, sql, -1, &st, nullptr) != SQLITE_OK)
        return false;
    const bool ok = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) == 6;
    sqlite3_finalize(st);
    if (!ok)
        return false;
    // A damaged file must not replace a working one.
    if (sqlite3_prepare_v2(h.db, "PRAGMA quick_check", -1, &st, nullptr) != SQLITE_OK)
        return false;
    const bool sound =
        sqlite3_step(st) == SQLITE_ROW &&
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))) == QLatin1String("ok");
    sqlite3_finalize(st);
    return sound;
}

bool databaseInUse(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    pv::Database probe;
    if (!probe.open(path))
        return false;
    // Held here and by the probe: anything more is another handle of the program.
    const auto held = probe.connection();
    return held.use_count() > 2;
}

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

qint64 copyDatabase(const QString &source, const QString &destination, const QString &questionTitle,
                    QuorvelXPProgressBar *bar, CopyKind kind)
{
    if (!sourceIsUsable(source, destination))
        return fail(bar);
    if (kind == CopyKind::Restore && (!isProgramDatabase(source) || databaseInUse(destination)))
        return fail(bar);

    if (QFileInfo::exists(destination) &&
        pv::MsgBox(destination +
                       QStringLiteral("\n\nDosyası zaten var. Varolan dosya ile değiştirilsin mi? "),
                   pv::vbYesNo | pv::vbQuestion, questionTitle) != pv::vbYes)
        return 0;

    const QFileInfo dest(destination);
    const QString temp =
        dest.absolutePath() + QStringLiteral("/.") + dest.fileName() + QStringLiteral(".part");
    QFile::remove(temp);
    bool ok = false;
    {
        // Joins the program's own connection when the file is open, so the copy sees
        // exactly what the program has written.
        pv::Database src;
        ok = src.open(source) && backupInto(src.handle(), temp, bar);
    }
    if (ok && kind == CopyKind::Restore) {
        // A journal left by the old file would be rolled into the restored one.
        const QString journal = destination + QStringLiteral("-journal");
        if (QFileInfo::exists(journal))
            ok = QFile::remove(journal);
    }
    if (ok)
        ok = replaceFile(temp, destination);
    if (!ok) {
        QFile::remove(temp);
        return fail(bar);
    }
    if (bar)
        bar->setValue(0);
    return QFileInfo(destination).size();
}

} // namespace ui

#include "platform/forms/Pickers.h"
#include "platform/forms/Form.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QMutex>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QXmlStreamReader>

namespace pv
{

namespace
{
PickerHandler g_handler;

QString caseBlind(const QString &pattern)
{
    QString out;
    for (QChar c : pattern) {
        const QChar lo = c.toLower(), up = c.toUpper();
        if (c.isLetter() && lo != up)
            out += QLatin1Char('[') + lo + up + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

// Description/pattern pairs; a pattern field may hold several patterns split by ';'.
QList<QPair<QString, QStringList>> parseFilter(const QString &filter)
{
    QList<QPair<QString, QStringList>> out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty())
                patterns.append(p.trimmed());
        if (!patterns.isEmpty())
            out.append({parts[i], patterns});
    }
    return out;
}

// Whether the system's MIME database names the type in Turkish; for a few types it has only
// the English name, which Qt then shows. Asked from the dialog's file-reading thread.
bool hasTurkishName(const QString &mimeType)
{
    static QMutex mutex;
    static QHash<QString, bool> known;
    const QMutexLocker lock(&mutex);
    if (const auto it = known.constFind(mimeType); it != known.cend())
        return *it;
    bool turkish = true; // no file of the type's own to read: what Qt says stays
    QFile file(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                      QStringLiteral("mime/") + mimeType + QStringLiteral(".xml")));
    if (file.open(QIODevice::ReadOnly)) {
        turkish = false;
        QXmlStreamReader xml(&file);
        while (!turkish && !xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"comment")
                turkish = xml.attributes().value(QStringLiteral("xml:lang")) == u"tr";
    }
    known.insert(mimeType, turkish);
    return turkish;
}

// The detail view's type column in Turkish: Qt's Turkish catalogue lacks its "Drive",
// "Folder", "Shortcut" (a link to nothing) and "Unknown" (a pipe, device or socket). A
// file's type is its MIME type's name from the system's database, as Qt gives it, unless
// the database has no Turkish name for it: then it is named by its suffix, "TOML dosyası".
// Icons are Qt's.
class TurkishFileTypes : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Sürücü");
        if (info.isDir())
            return QStringLiteral("Klasör");
        if (!info.isFile())
            return info.isSymLink() ? QStringLiteral("Kısayol") : QStringLiteral("Bilinmeyen");
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
        if (hasTurkishName(mime.name()))
            return mime.comment();
        return info.suffix().isEmpty() ? QStringLiteral("Dosya")
                                       : info.suffix().toUpper() + QStringLiteral(" dosyası");
    }
};
} // namespace

// Qt's default widths for the detail view's size, type and date columns are cut to an
// English date ("10/29/81 02:02PM"): the Turkish date, heading and file types do not fit.
// Each time the folder's files arrive or the type list shows others, those columns widen to
// their heading and longest text; they only ever widen, so a column the user dragged wider
// stays so. The name column takes what is left and is the one that gives way when the
// dialog is narrow.
static void fitDetailColumns(QTreeView &view)
{
    QHeaderView *header = view.header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const int needed = qMax(header->sectionSizeHint(column),
                                static_cast<const QAbstractItemView &>(view).sizeHintForColumn(column));
        if (needed > header->sectionSize(column))
            header->resizeSection(column, needed);
    }
}

// The one set-up of every picker: Qt's own dialog, so that the bracket patterns are
// honoured; the description is shown as the caller wrote it. mode says the kind: an
// existing file to open, any file to save, or a folder. The picked path, or "" when
// cancelled.
static QString runFileDialog(QWidget *owner, const QString &title, const QString &folder,
                             QFileDialog::FileMode mode, const QString &filter = {},
                             const QString &proposedName = {})
{
    TurkishFileTypes types; // outlives the dialog, whose model asks it
    QFileDialog dlg(owner ? owner : activeProgramWindow(), title, QDir::fromNativeSeparators(folder));
    // Qt's own dialog first: it fills its type list from the mode set after.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setIconProvider(&types);
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setOption(QFileDialog::ShowDirsOnly, mode == QFileDialog::Directory);
    dlg.setFileMode(mode);
    dlg.setAcceptMode(mode == QFileDialog::AnyFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    if (!proposedName.isEmpty())
        dlg.selectFile(proposedName);
    auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = dlg.findChild<QFileSystemModel *>();
    if (view && model) {
        // Files arrive in batches, and a pick in the type list shows others (a change of the
        // model's layout, not rows added); one fit once they are in.
        auto *fit = new QTimer(&dlg);
        fit->setSingleShot(true);
        fit->setInterval(0);
        QObject::connect(fit, &QTimer::timeout, view, [view] { fitDetailColumns(*view); });
        QObject::connect(model, &QFileSystemModel::directoryLoaded, fit, qOverload<>(&QTimer::start));
        QObject::connect(model, &QAbstractItemModel::rowsInserted, fit, qOverload<>(&QTimer::start));
        QObject::connect(model, &QAbstractItemModel::layoutChanged, fit, qOverload<>(&QTimer::start));
        fit->start(); // the headings, before any file has arrived
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dlg.selectedFiles().constFirst());
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList out;
    for (const auto &[description, patterns] : parseFilter(filter)) {
        QStringList blind;
        for (const QString &p : patterns)
            blind.append(caseBlind(p));
        out.append(description + QStringLiteral(" (") + blind.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return out;
}

bool filterMatches(const QString &filter, const QString &fileName)
{
    for (const auto &entry : parseFilter(filter))
        for (const QString &p : entry.second) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                        QRegularExpression::CaseInsensitiveOption);
            if (re.match(fileName).hasMatch())
                return true;
        }
    return false;
}

void setPickerHandler(PickerHandler handler)
{
    g_handler = std::move(handler);
}

QString pickOpenFile(const QString &title, const QString &filter, QWidget *owner, const QString &startFolder)
{
    if (g_handler)
        return g_handler({PickerCall::OpenFile, title, filter, startFolder, QString()});
    return runFileDialog(owner, title, startFolder, QFileDialog::ExistingFile, filter);
}

QString pickSaveFile(const QString &title, const QString &filter, const QString &fileName, QWidget *owner)
{
    if (g_handler)
        return g_handler({PickerCall::SaveFile, title, filter, QString(), fileName});
    return runFileDialog(owner, title, QString(), QFileDialog::AnyFile, filter, fileName);
}

QString pickFolder(const QString &title, QWidget *owner)
{
    QString folder;
    if (g_handler)
        folder = g_handler({PickerCall::Folder, title, QString(), QString(), QString()});
    else
        folder = runFileDialog(owner, title, QString(), QFileDialog::Directory);
    if (folder.isEmpty())
        return {};
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace pv

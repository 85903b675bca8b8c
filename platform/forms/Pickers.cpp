#include "platform/forms/Pickers.h"
#include "platform/forms/Form.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QMutex>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QXmlStreamReader>

#include <vector>

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
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            // Written for a system where "*.*" matches every file; here it would hide every
            // name without a dot.
            if (pattern == QLatin1String("*.*"))
                patterns.append(QStringLiteral("*"));
            else if (!pattern.isEmpty())
                patterns.append(pattern);
        }
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

TurkishFileTypes &turkishFileTypes()
{
    static TurkishFileTypes types; // outlives every dialog, whose model asks it
    return types;
}

// Qt's detail view: name, size, type, date.
constexpr int kTypeColumn = 2;

// The detail view as the user reads it. A file name is never cut: the name column gets the
// width its longest name needs first, whatever width Qt's settings kept from an earlier
// dialog, and with widenDialog the dialog widens to show it beside the other columns as far
// as the screen allows; past that the view scrolls sideways. Size, type and date then widen
// to their heading and longest text (Qt's default widths are cut to an English date,
// "10/29/81 02:02PM"). They only ever widen, so a column the user dragged wider stays so,
// save that where the room is short the type column gives way, a long type name elided at
// its end, down to its heading's width. The name column takes what is left.
void fitDetailColumns(QTreeView &view, bool widenDialog)
{
    if (!view.isVisible()) // the list view is shown: the widths are set when this one shows
        return;
    QHeaderView *header = view.header();
    if (header->stretchLastSection()) {
        // Qt's own set-up: the date column fills the view, a width that says nothing of its
        // text and is no user's choice.
        header->setStretchLastSection(false);
        header->resizeSection(header->count() - 1, header->defaultSectionSize());
    }
    header->setSectionResizeMode(QHeaderView::Interactive);
    view.setTextElideMode(Qt::ElideRight); // only a type name is ever narrower than its text
    // Each column's heading and longest text; the name column's first.
    std::vector<int> needed(size_t(header->count()), 0), widths(needed.size(), 0);
    for (int column = 0; column < header->count(); ++column)
        needed[size_t(column)] = qMax(header->sectionSizeHint(column),
                                      static_cast<const QAbstractItemView &>(view).sizeHintForColumn(column));
    const int name = needed[0];
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        widths[size_t(column)] = qMax(header->sectionSize(column), needed[size_t(column)]);
        others += widths[size_t(column)];
    }
    QWidget *dialog = view.window();
    if (widenDialog && name + others > view.viewport()->width() && dialog->screen()) {
        const QRect screen = dialog->screen()->availableGeometry();
        const int frame = dialog->frameGeometry().width() - dialog->width();
        const int wanted = dialog->width() + name + others - view.viewport()->width();
        const int width = qMin(wanted, screen.width() - frame);
        if (width > dialog->width()) {
            dialog->resize(width, dialog->height());
            const int overRight = dialog->frameGeometry().right() - screen.right();
            if (overRight > 0)
                dialog->move(qMax(screen.left(), dialog->x() - overRight), dialog->y());
        }
    }
    // Where the room is still short, a long type name gives way, down to its heading.
    const int room = view.viewport()->width();
    if (name + others > room && kTypeColumn < header->count() && !header->isSectionHidden(kTypeColumn)) {
        int &type = widths[size_t(kTypeColumn)];
        const int give = qMin(type - header->sectionSizeHint(kTypeColumn), name + others - room);
        if (give > 0) {
            type -= give;
            others -= give;
        }
    }
    for (int column = 1; column < header->count(); ++column)
        if (!header->isSectionHidden(column) && header->sectionSize(column) != widths[size_t(column)])
            header->resizeSection(column, widths[size_t(column)]);
    header->resizeSection(0, qMax(name, room - others));
}

// Refits the detail view when its viewport shows or changes width (the user resizes the
// dialog).
class RefitOnResize : public QObject
{
public:
    explicit RefitOnResize(QTreeView *view) : QObject(view), m_view(view) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) && !m_fitting) {
            m_fitting = true;
            fitDetailColumns(*m_view, false);
            m_fitting = false;
        }
        return false;
    }

private:
    QTreeView *m_view;
    bool m_fitting = false;
};

// Every file dialog of the process as the program's own pickers are: Turkish type names and
// a detail view that keeps file names whole. Once per dialog; a native dialog has nothing of
// Qt's to set.
void setUpFileDialog(QFileDialog &dlg)
{
    static const char *const kSetUp = "pvFileDialogSetUp";
    auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = dlg.findChild<QFileSystemModel *>();
    if (!view || !model || dlg.property(kSetUp).toBool())
        return;
    dlg.setProperty(kSetUp, true);
    if (dlg.iconProvider() != &turkishFileTypes())
        dlg.setIconProvider(&turkishFileTypes());
    // Files arrive in batches, and a pick in the type list shows others (a change of the
    // model's layout, not rows added); one fit once they are in. A folder's files in widen
    // the dialog for its names.
    auto *fit = new QTimer(&dlg);
    fit->setSingleShot(true);
    fit->setInterval(0);
    QObject::connect(fit, &QTimer::timeout, view, [view] { fitDetailColumns(*view, true); });
    QObject::connect(model, &QFileSystemModel::directoryLoaded, fit, qOverload<>(&QTimer::start));
    QObject::connect(model, &QAbstractItemModel::rowsInserted, fit, qOverload<>(&QTimer::start));
    QObject::connect(model, &QAbstractItemModel::layoutChanged, fit, qOverload<>(&QTimer::start));
    view->viewport()->installEventFilter(new RefitOnResize(view));
    fit->start(); // the headings, before any file has arrived
}

// Sets up the file dialogs Qt's own dialogs open (the print dialog's output file picker)
// as they are shown.
class FileDialogWatch : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *dlg = qobject_cast<QFileDialog *>(watched))
                setUpFileDialog(*dlg);
        return false;
    }
};
} // namespace

void setUpEveryFileDialog()
{
    static QPointer<FileDialogWatch> watch;
    if (!watch && QCoreApplication::instance()) {
        watch = new FileDialogWatch(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watch);
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
    QFileDialog dlg(owner ? owner : activeProgramWindow(), title, QDir::fromNativeSeparators(folder));
    // Qt's own dialog first: it fills its type list from the mode set after.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // The types before the folder's files are read.
    dlg.setIconProvider(&turkishFileTypes());
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setOption(QFileDialog::ShowDirsOnly, mode == QFileDialog::Directory);
    dlg.setFileMode(mode);
    dlg.setAcceptMode(mode == QFileDialog::AnyFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    if (!proposedName.isEmpty())
        dlg.selectFile(proposedName);
    setUpFileDialog(dlg);
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

#pragma once
// The open-file and folder pickers. Both return an empty text when the user cancels;
// nothing else changes then.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace pv
{

// filter in the form the forms give it: "Description|pattern|Description|pattern|".
// Patterns match file names in either letter case ("*.YDK" finds "a.ydk" too); "*.*"
// matches every file, with or without a dot in its name.
// startFolder: where the dialog opens (empty: the dialog's own choice).
QString pickOpenFile(const QString &title, const QString &filter, QWidget *owner = nullptr,
                     const QString &startFolder = {});

// Where to save a file: the dialog proposes fileName (a name without a folder) in the
// dialog's own folder; a picked name is returned as picked.
QString pickSaveFile(const QString &title, const QString &filter, const QString &fileName,
                     QWidget *owner = nullptr);

// The picked folder, ending in a path separator, ready to have a file name appended.
QString pickFolder(const QString &title, QWidget *owner = nullptr);

// From now on every file dialog this process shows, those Qt's own dialogs open too (the
// print dialog's output file), names file types in Turkish and shows file names whole, as
// the pickers above do. Once per process; useTurkish() calls it.
void setUpEveryFileDialog();

// The filter as Qt file-dialog name filters, the patterns made case-blind:
// "Pelvanor (*.dll)|*.dll" -> {"Pelvanor (*.dll) (*.[dD][lL][lL])"}.
QStringList qtNameFilters(const QString &filter);
// Whether fileName passes one of the filter's patterns.
bool filterMatches(const QString &filter, const QString &fileName);

struct PickerCall {
    enum Kind { OpenFile, Folder, SaveFile } kind = OpenFile;
    QString title;
    QString filter;   // OpenFile and SaveFile, as the caller gave it
    QString folder;   // OpenFile only: where the dialog opens
    QString fileName; // SaveFile only: the name proposed
};
// Tests answer the pickers; the handler returns the picked path or "" for cancel.
using PickerHandler = std::function<QString(const PickerCall &)>;
void setPickerHandler(PickerHandler handler); // empty restores the real dialogs

} // namespace pv

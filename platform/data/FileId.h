#pragma once
// A file itself, whatever name leads to it: the write guard and the file locks both ask
// whether two names, or a name and an open file, are one file.
#include <QString>
#include <QtGlobal>
#include <optional>

struct stat;

namespace pv
{

struct FileId {
    quint64 device = 0, inode = 0;
    bool operator==(const FileId &) const = default;
};

// The file a stat or fstat described.
FileId fileIdOf(const struct stat &st);
// The plain file a name leads to now (links followed); nullopt when it leads to none.
std::optional<FileId> fileAt(const QString &name);

} // namespace pv

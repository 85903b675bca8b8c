#include "platform/data/FileId.h"

#include <QFile>
#include <sys/stat.h>

namespace pv
{

FileId fileIdOf(const struct stat &st)
{
    return FileId{quint64(st.st_dev), quint64(st.st_ino)};
}

std::optional<FileId> fileAt(const QString &name)
{
    struct stat st {
    };
    if (name.isEmpty() || ::stat(QFile::encodeName(name).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return fileIdOf(st);
}

} // namespace pv

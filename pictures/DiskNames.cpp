#include "DiskNames.h"

#include <QStringDecoder>

#include <dirent.h>
#include <sys/stat.h>

namespace tilemere {

namespace {

bool exists(const QByteArray &path)
{
    struct stat facts {};
    return ::lstat(path.constData(), &facts) == 0;
}

// Only these can have come from a Latin-1 name.
bool allLatin1(QStringView name)
{
    for (QChar c : name) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

bool hasHighLatin1(QStringView path)
{
    for (QChar c : path) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0xFF)
            return true;
    }
    return false;
}

} // namespace

QString nameFromDisk(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(bytes);
    if (!utf8.hasError())
        return name;
    return QString::fromLatin1(bytes.data(), bytes.size());
}

QByteArray pathToDisk(const QString &path)
{
    QByteArray asUtf8 = path.toUtf8();
    if (!hasHighLatin1(path) || exists(asUtf8))
        return asUtf8;
    // Rebuilt name by name: each name in the form that exists on disk.
    QByteArray built;
    qsizetype start = 0;
    while (start <= path.size()) {
        qsizetype slash = path.indexOf(u'/', start);
        if (slash < 0)
            slash = path.size();
        const QStringView name = QStringView(path).mid(start, slash - start);
        if (start > 0)
            built += '/';
        const QByteArray utf8Name = name.toUtf8();
        if (hasHighLatin1(name) && allLatin1(name) && !exists(built + utf8Name)
            && exists(built + name.toLatin1()))
            built += name.toLatin1();
        else
            built += utf8Name;
        start = slash + 1;
    }
    return built;
}

QStringList readFolder(const QString &folder, EntryType type, const std::function<bool(const char *)> &keep,
                       const std::function<bool()> &stopped)
{
    QStringList names;
    DIR *dir = ::opendir(pathToDisk(folder).constData());
    if (!dir)
        return names;
    const int dirFd = ::dirfd(dir);
    const unsigned char wanted = type == EntryType::File ? DT_REG : DT_DIR;
    int sinceAsked = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (stopped && ++sinceAsked == 256) {
            sinceAsked = 0;
            if (stopped())
                break;
        }
        const char *name = entry->d_name;
        if (name[0] == '.' || (keep && !keep(name)))
            continue;
        bool matches = entry->d_type == wanted;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status {};
            matches = ::fstatat(dirFd, name, &status, 0) == 0 &&
                      (type == EntryType::File ? S_ISREG(status.st_mode) : S_ISDIR(status.st_mode));
        }
        if (matches)
            names.append(nameFromDisk(QByteArrayView(name)));
    }
    ::closedir(dir);
    return names;
}

} // namespace tilemere

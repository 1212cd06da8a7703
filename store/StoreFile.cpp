#include "StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tilemere::store {

QString storeFilePath()
{
    // Asked of the maker's folder-wide settings, not of the store: a QSettings
    // object reads its file as soon as it is made, and the store's own file
    // must not be read by QSettings before it has been checked.
    const QSettings makerWide(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganisation));
    return QFileInfo(makerWide.fileName()).dir().filePath(
        QStringLiteral("%1/%2.conf").arg(QLatin1String(kOrganisation), QLatin1String(kApplication)));
}

bool makeStoreReachable(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    // A save writes a new file beside the old one and renames it over, so
    // the folder itself must be writable, not only the file.
    if (!QFileInfo(folder).isWritable())
        return false;
    if (file.exists() && !(file.isFile() && file.isReadable() && file.isWritable()))
        return false;
    return true;
}

bool setAsideDamagedStore(const QString &path)
{
    for (int number = 1; number < 1000; ++number) {
        const QString badPath = number == 1 ? path + QLatin1String(".bad")
                                            : QStringLiteral("%1.%2.bad").arg(path).arg(number);
        if (QFileInfo::exists(badPath))
            continue;
        // A rename, not a copy: QSettings would otherwise read the damaged
        // lines back and keep them in the new file. Qt's rename never
        // replaces an existing file, so a .bad made meanwhile is safe.
        if (QFile::rename(path, badPath))
            return true;
        if (!QFileInfo::exists(path))
            return true; // another copy of the program moved it first
    }
    return false;
}

} // namespace tilemere::store

#include "StoreFile.h"

#include "StoreValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

namespace tilemere::store {

namespace {

enum class LineShape { Blank, Group, Value, Other };

LineShape shapeOf(QByteArrayView line)
{
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return LineShape::Blank;
    if (line.startsWith('[') && line.endsWith(']'))
        return LineShape::Group;
    const qsizetype equals = line.indexOf('=');
    if (equals > 0 && !line.first(equals).trimmed().isEmpty())
        return LineShape::Value;
    return LineShape::Other;
}

// Checks the raw bytes; sets hasValues when any "key=value" line is present.
bool looksLikeSettingsText(const QByteArray &content, bool &hasValues)
{
    hasValues = false;
    // QSettings writes UTF-8 text with every control character escaped.
    if (content.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8.decode(content);
    if (utf8.hasError())
        return false;
    for (QByteArrayView line : content.split('\n')) {
        switch (shapeOf(line)) {
        case LineShape::Other:
            return false;
        case LineShape::Value:
            hasValues = true;
            break;
        default:
            break;
        }
    }
    return true;
}

bool holdsAnyStoreValue(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() == QSettings::FormatError)
        return false;
    settings.beginGroup(QLatin1String(kGroup));
    for (const QString &name : allValueNames()) {
        if (isReadableValue(settings, name))
            return true;
    }
    return false;
}

} // namespace

QString storeFilePath()
{
    return QSettings(QLatin1String(kOrganisation), QLatin1String(kApplication)).fileName();
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

bool isDamagedStore(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        return false; // not damaged, unreachable: makeStoreReachable says so
    const QByteArray content = file.readAll();
    file.close();
    bool hasValues = false;
    if (!looksLikeSettingsText(content, hasValues))
        return true;
    return hasValues && !holdsAnyStoreValue(path);
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

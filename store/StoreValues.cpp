#include "StoreValues.h"

#include "Windows1252.h"

#include <QSettings>
#include <QVariant>
#include <QtEndian>

namespace tilemere::store {

QString tableValuesName(int scoreMode, int sizeIndex)
{
    return QStringLiteral("%1STATS%2VAL").arg(scoreMode).arg(sizeIndex);
}

QString placeNameName(int scoreMode, int sizeIndex, int place)
{
    return QStringLiteral("%1STATS%2_%3").arg(scoreMode).arg(sizeIndex).arg(place);
}

std::array<QString, kValueCount> allValueNames()
{
    std::array<QString, kValueCount> names;
    std::size_t next = 0;
    names[next++] = QString::fromLatin1(kSolvingDataName);
    names[next++] = QString::fromLatin1(kSoundOptionsName);
    for (int scoreMode = 1; scoreMode <= 2; ++scoreMode) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            names[next++] = tableValuesName(scoreMode, sizeIndex);
            for (int place = 1; place <= 10; ++place)
                names[next++] = placeNameName(scoreMode, sizeIndex, place);
        }
    }
    return names;
}

std::optional<QByteArray> readBinary(const QSettings &settings, const QString &name,
                                     qsizetype size)
{
    const QVariant value = settings.value(name);
    // Text that merely looks like bytes is not accepted: the program only
    // ever writes these as byte arrays.
    if (value.metaType().id() != QMetaType::QByteArray)
        return std::nullopt;
    QByteArray bytes = value.toByteArray();
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> readPlayerName(const QSettings &settings, const QString &name)
{
    const QVariant value = settings.value(name);
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    const QByteArray bytes = toWindows1252(value.toString());
    if (bytes.size() + 1 > kNameBufferSize)
        return std::nullopt;
    return fromWindows1252(bytes).toStdString();
}

QString storedPlayerName(const std::string &name)
{
    return fromWindows1252(toWindows1252(QString::fromStdString(name)));
}

bool isReadableValue(const QSettings &settings, const QString &name)
{
    if (name == QLatin1String(kSolvingDataName))
        return readBinary(settings, name, kSolvingDataSize).has_value();
    if (name == QLatin1String(kSoundOptionsName))
        return readBinary(settings, name, kSoundOptionsSize).has_value();
    if (name.endsWith(QLatin1String("VAL")))
        return readBinary(settings, name, kTableValuesSize).has_value();
    return readPlayerName(settings, name).has_value();
}

} // namespace tilemere::store

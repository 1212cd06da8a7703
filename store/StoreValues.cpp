#include "StoreValues.h"

#include "StoreReader.h"
#include "Windows1252.h"

namespace tilemere::store {

QString tableValuesName(ScoreMode scoreMode, int sizeIndex)
{
    return QStringLiteral("%1STATS%2VAL").arg(static_cast<int>(scoreMode)).arg(sizeIndex);
}

QString placeNameName(ScoreMode scoreMode, int sizeIndex, int place)
{
    return QStringLiteral("%1STATS%2_%3").arg(static_cast<int>(scoreMode)).arg(sizeIndex).arg(place);
}

std::array<QString, kValueCount> allValueNames()
{
    std::array<QString, kValueCount> names;
    std::size_t next = 0;
    names[next++] = QString::fromLatin1(kSolvingDataName);
    names[next++] = QString::fromLatin1(kSoundOptionsName);
    for (ScoreMode scoreMode : kScoreModes) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            names[next++] = tableValuesName(scoreMode, sizeIndex);
            for (int place = 1; place <= 10; ++place)
                names[next++] = placeNameName(scoreMode, sizeIndex, place);
        }
    }
    return names;
}

std::optional<QByteArray> binaryOf(const RawValue &value, qsizetype size)
{
    // Text that merely looks like bytes is not accepted: the program only
    // ever writes these as byte arrays.
    if (value.kind != RawValue::Kind::Bytes || value.bytes.size() != size)
        return std::nullopt;
    return value.bytes;
}

std::optional<std::string> playerNameOf(const RawValue &value)
{
    if (value.kind != RawValue::Kind::Text)
        return std::nullopt;
    const QByteArray bytes = toWindows1252(value.text);
    if (bytes.size() + 1 > kNameBufferSize)
        return std::nullopt;
    return fromWindows1252(bytes).toStdString();
}

QString storedPlayerName(const std::string &name)
{
    return fromWindows1252(toWindows1252(QString::fromStdString(name)));
}

} // namespace tilemere::store

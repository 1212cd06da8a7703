#pragma once
// The 90 values of the score store: their names, byte layouts and the checks a
// stored value must pass before it is used.

#include "ScoreTables.h"

#include <QByteArray>
#include <QtEndian>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tilemere::store {

struct RawValue;

inline constexpr const char *kGroup = "1.0"; // the program's version, major.minor
inline constexpr const char *kSolvingDataName = "SOLVINGDATA";
inline constexpr const char *kSoundOptionsName = "SOUNDOPTIONS";
inline constexpr qsizetype kSolvingDataSize = 6;
inline constexpr qsizetype kSoundOptionsSize = 8;
inline constexpr qsizetype kTableValuesSize = 40;
// Room for 24 bytes of name and the ending NUL the older releases stored.
inline constexpr qsizetype kNameBufferSize = 25;
inline constexpr int kValueCount = 90;

// sizeIndex 1..4, place 1..10.
QString tableValuesName(ScoreMode scoreMode, int sizeIndex); // "1STATS1VAL"
QString placeNameName(ScoreMode scoreMode, int sizeIndex, int place); // "2STATS4_10"
// All 90 names in the order they are written.
std::array<QString, kValueCount> allValueNames();

// The value's bytes, when it holds exactly size of them.
std::optional<QByteArray> binaryOf(const RawValue &value, qsizetype size);
// The name as UTF-8, when the value is text of at most 24 bytes in code page 1252.
std::optional<std::string> playerNameOf(const RawValue &value);
// What a name turns into when stored: the text that code page 1252 can hold.
QString storedPlayerName(const std::string &name);

// Integers as stored, little-endian one after the other.
template <typename Integer, std::size_t Count>
QByteArray packLittleEndian(const std::array<Integer, Count> &numbers)
{
    QByteArray bytes(static_cast<qsizetype>(sizeof(Integer) * Count), '\0');
    for (std::size_t i = 0; i < Count; ++i)
        qToLittleEndian(numbers[i], bytes.data() + sizeof(Integer) * i);
    return bytes;
}

// Precondition: bytes holds sizeof(Integer) x Count bytes.
template <typename Integer, std::size_t Count>
std::array<Integer, Count> unpackLittleEndian(const QByteArray &bytes)
{
    std::array<Integer, Count> numbers{};
    for (std::size_t i = 0; i < Count; ++i)
        numbers[i] = qFromLittleEndian<Integer>(bytes.constData() + sizeof(Integer) * i);
    return numbers;
}

} // namespace tilemere::store

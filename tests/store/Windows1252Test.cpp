#include "Windows1252.h"

#include <gtest/gtest.h>

namespace {

// The 0x80..0x9F block is where code page 1252 parts from Latin-1.
TEST(Windows1252Test, EveryByteHasACharacterAndComesBack)
{
    struct Row {
        char32_t character;
        unsigned char byte;
    };
    const Row rows[] = {
        {U'A', 0x41}, {U'€', 0x80}, {U'‚', 0x82}, {U'Ž', 0x8E}, {U'‘', 0x91},
        {U'Ÿ', 0x9F}, {U'\u00A0', 0xA0}, {U'é', 0xE9}, {U'ÿ', 0xFF},
        {U'\u0081', 0x81}, {U'\u009D', 0x9D}, // unassigned: kept as the control character
    };
    for (const Row &row : rows) {
        const QString text = QString::fromUcs4(&row.character, 1);
        EXPECT_EQ(tilemere::toWindows1252(text), QByteArray(1, static_cast<char>(row.byte)))
            << static_cast<unsigned>(row.character);
        EXPECT_EQ(tilemere::fromWindows1252(QByteArray(1, static_cast<char>(row.byte))), text)
            << static_cast<unsigned>(row.byte);
    }
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        EXPECT_EQ(tilemere::toWindows1252(tilemere::fromWindows1252(one)), one) << byte;
    }
}

TEST(Windows1252Test, CharactersItLacksBecomeOneQuestionMarkEach)
{
    struct Row {
        const char *utf8;
        const char *bytes;
    };
    const Row rows[] = {
        {"東京", "??"},
        {"a😀b", "a?b"},
        {"\xC2\x80", "?"}, // U+0080 is not the euro sign's byte
        {"Ω≈", "??"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(tilemere::toWindows1252(QString::fromUtf8(row.utf8)), QByteArray(row.bytes)) << row.utf8;
}

} // namespace

// Texts that follow the player's language: the clock in its digits, names
// in what the store holds (as the name box shows them: ScoreEntryTest).
#include "LocaleText.h"

#include <gtest/gtest.h>

TEST(LocaleTextTest, ClockAndCountsInTheLocalesDigits)
{
    // English minutes and seconds: ScoreBoardTest.
    const QLocale german(QLocale::German), arabic(QLocale::Arabic, QLocale::Egypt);
    EXPECT_EQ(tilemere::countText(32767, german), QStringLiteral("32767")) << "no group separator";
    EXPECT_EQ(tilemere::clockText(65, arabic), QString::fromUtf8("\u0661:\u0660\u0665"));
}

TEST(LocaleTextTest, NamesFoldToWhatTheStoreHolds)
{
    const struct { const char *name; QString typed, kept; } cases[] = {
        {"Polish stroke", QString::fromUtf8("\u0141\u00f3d\u017a"), QStringLiteral("Lodz")},
        {"emoji and control characters go", QString::fromUtf8("Ann\xF0\x9F\x98\x80\x01"), QStringLiteral("Ann")}};
    for (const auto &row : cases)
        EXPECT_EQ(tilemere::foldToWindows1252(row.typed), row.kept) << row.name;
}

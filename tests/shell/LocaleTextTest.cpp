// Texts that follow the player's language: type-ahead by the language's
// case rules, the clock in its digits, names in what the store holds.
#include "LocaleText.h"

#include <gtest/gtest.h>

using tilemere::startsWithFolded;

TEST(LocaleTextTest, TypeAheadFollowsTheLanguagesCaseRules)
{
    const QLocale turkish(QLocale::Turkish), english(QLocale::English);
    const QString izmir = QString::fromUtf8("\u0130zmir"), isik = QString::fromUtf8("Is\u0131k");
    const struct { const char *name; QString folder, typed; QLocale locale; bool found; } cases[] = {
        {"Turkish i finds dotted capital", izmir, QStringLiteral("iz"), turkish, true},
        {"Turkish dotless finds plain capital", isik, QString::fromUtf8("\u0131s"), turkish, true},
        {"Turkish i does not find plain capital", isik, QStringLiteral("is"), turkish, false},
        {"English i finds plain capital", QStringLiteral("Island"), QStringLiteral("is"), english, true},
        {"case ignored, prefix only", QStringLiteral("3D pictures"), QStringLiteral("3d"), english, true},
        {"not in the middle", QStringLiteral("Trip 3D"), QStringLiteral("3d"), english, false}};
    for (const auto &row : cases)
        EXPECT_EQ(startsWithFolded(row.folder, row.typed, row.locale), row.found) << row.name;
}

TEST(LocaleTextTest, ClockAndCountsInTheLocalesDigits)
{
    const QLocale english(QLocale::English), german(QLocale::German), arabic(QLocale::Arabic, QLocale::Egypt);
    EXPECT_EQ(tilemere::clockText(83, english), QStringLiteral("1:23"));
    EXPECT_EQ(tilemere::clockText(3600, german), QStringLiteral("60:00"));
    EXPECT_EQ(tilemere::countText(32767, german), QStringLiteral("32767")) << "no group separator";
    EXPECT_EQ(tilemere::clockText(65, arabic), QString::fromUtf8("\u0661:\u0660\u0665"));
}

TEST(LocaleTextTest, NamesFoldToWhatTheStoreHolds)
{
    const struct { const char *name; QString typed, kept; } cases[] = {
        {"Turkish word by word", QString::fromUtf8("\u015e\u00fckr\u00fc \u0130\u011fd\u0131r J\u00f6rg"),
         QString::fromUtf8("Sukru Igdir J\u00f6rg")},
        {"Polish stroke", QString::fromUtf8("\u0141\u00f3d\u017a"), QStringLiteral("Lodz")},
        {"Greek has no Latin form", QString::fromUtf8("\u0391\u03b8\u03b7\u03bd\u03ac"), {}},
        {"emoji and control characters go", QString::fromUtf8("Ann\xF0\x9F\x98\x80\x01"), QStringLiteral("Ann")}};
    for (const auto &row : cases)
        EXPECT_EQ(tilemere::foldToWindows1252(row.typed), row.kept) << row.name;
}

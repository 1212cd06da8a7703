#include "StoreTestSupport.h"

#include <QtEndian>

namespace {

using storetest::fileBytes;
using storetest::holdsWholeStore;
using tilemere::kEmptyScore;

class SettingsStoreTest : public storetest::StoreTest {};

QByteArray tableBytes(std::initializer_list<std::int32_t> values)
{
    QByteArray bytes;
    for (std::int32_t value : values) {
        char little[4];
        qToLittleEndian(value, little);
        bytes.append(little, 4);
    }
    return bytes;
}

void expectEmptyTables()
{
    for (int mode = 1; mode <= 2; ++mode) {
        for (int size = 1; size <= 4; ++size) {
            for (int place = 0; place < tilemere::kPlaces; ++place) {
                EXPECT_EQ(gScores(mode, size).values[place], kEmptyScore) << mode << size << place;
                EXPECT_EQ(gScores(mode, size).names[place], "Anononymous") << mode << size << place;
            }
        }
    }
}

TEST_F(SettingsStoreTest, FirstRunGivesDefaultsAndTheNextSaveWritesAllValues)
{
    loadSettings();
    EXPECT_TRUE(reports.isEmpty());
    expectEmptyTables();
    EXPECT_EQ(soundOptions, (std::array<std::int16_t, 4>{1, 1, 1, 1}));
    EXPECT_EQ(solvingData, (std::array<std::uint8_t, 6>{}));

    saveSettings();
    EXPECT_TRUE(reports.isEmpty());
    ASSERT_TRUE(holdsWholeStore(storePath()));
    RawStore raw(storePath());
    EXPECT_EQ(raw.settings.value("SOUNDOPTIONS").toByteArray(), QByteArray("\1\0\1\0\1\0\1\0", 8));
    EXPECT_EQ(raw.settings.value("SOLVINGDATA").toByteArray(), QByteArray(6, '\0'));
    EXPECT_EQ(raw.settings.value("2STATS4VAL").toByteArray(),
              tableBytes({32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767}));
    EXPECT_EQ(raw.settings.value("1STATS3_7").toString(), "Anononymous");
}

TEST_F(SettingsStoreTest, NamesWithoutTheirResultsKeepTheResultsAsTheyWere)
{
    {
        RawStore raw(storePath());
        for (int place = 1; place <= 10; ++place)
            raw.settings.setValue(QStringLiteral("1STATS2_%1").arg(place), QStringLiteral("P%1").arg(place));
    }
    loadSettings();
    const auto &table = gScores(1, 2);
    for (int place = 0; place < tilemere::kPlaces; ++place) {
        EXPECT_EQ(table.values[place], 0);
        EXPECT_EQ(table.names[place], "P" + std::to_string(place + 1));
    }
    EXPECT_EQ(gScores(2, 2).values[0], kEmptyScore); // its names are missing
    EXPECT_EQ(soundOptions, (std::array<std::int16_t, 4>{1, 1, 1, 1}));
}

// A name is measured in code page 1252 bytes, the ending NUL taking the 25th.
TEST_F(SettingsStoreTest, NamesUpToTwentyFourBytesReadBackWhole)
{
    struct Row {
        const char *what;
        QString stored;
        bool fits;
    };
    const Row rows[] = {
        {"24 letters", QString(24, 'a'), true},
        {"25 letters", QString(25, 'a'), false},
        {"24 bytes with an accent", QString(23, 'a') + QStringLiteral("é"), true},
        {"25 bytes with an accent", QString(24, 'a') + QStringLiteral("é"), false},
        {"24 euro signs, 72 bytes of UTF-8", QString(24, QChar(0x20AC)), true},
        {"empty", QString(), true},
    };
    for (const Row &row : rows) {
        {
            RawStore raw(storePath());
            raw.settings.setValue("1STATS1VAL", tableBytes({5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
            for (int place = 2; place <= 10; ++place)
                raw.settings.setValue(QStringLiteral("1STATS1_%1").arg(place), "x");
            raw.settings.setValue("1STATS1_1", row.stored);
        }
        loadSettings();
        const auto &table = gScores(1, 1);
        if (row.fits) {
            EXPECT_EQ(table.names[0], row.stored.toStdString()) << row.what;
            EXPECT_EQ(table.values[0], 5) << row.what;
        } else {
            EXPECT_EQ(table.names[0], "Anononymous") << row.what;
            EXPECT_EQ(table.values[0], kEmptyScore) << row.what;
        }
        EXPECT_EQ(table.values[1], 6) << row.what << ": the next place is untouched";
    }
}

TEST_F(SettingsStoreTest, NamesSurviveAsTheTextCodePage1252Holds)
{
    struct Row {
        const char *typed;
        const char *kept;
    };
    const Row rows[] = {
        {"Zoë 東京", "Zoë ??"},
        {"😀 Ann", "? Ann"}, // one character outside the basic plane, one "?"
        {"Œuvre €5 “ok” ™", "Œuvre €5 “ok” ™"},
        {"naïve café", "naïve café"},
    };
    for (const Row &row : rows) {
        gScores(2, 3).names[4] = row.typed;
        saveSettings();
        gScores(2, 3).names[4].clear();
        loadSettings();
        EXPECT_EQ(gScores(2, 3).names[4], row.kept) << row.typed;
    }
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(SettingsStoreTest, SavingRightAfterLoadingWritesTheSameFile)
{
    for (int mode = 1; mode <= 2; ++mode) {
        for (int size = 1; size <= 4; ++size) {
            auto &table = gScores(mode, size);
            for (int place = 0; place < tilemere::kPlaces; ++place) {
                table.values[place] = place < size * 2 ? mode * 1000 + size * 100 + place : kEmptyScore;
                table.names[place] = place % 3 == 0 ? "Zoë €" : place % 3 == 1 ? "" : "A, B = \"c\"";
            }
        }
    }
    gScores(1, 1).values[0] = -5; // read back as signed
    soundOptions = {-1, 0, 300, 32767};
    solvingData = {0, 255, 1, 2, 3, 128};
    saveSettings();
    const QByteArray written = fileBytes(storePath());
    const tilemere::ScoreTable sample = gScores(2, 4);

    gScores(2, 4) = tilemere::ScoreTable{};
    gScores(1, 1).values[0] = 0;
    soundOptions = {};
    solvingData = {};
    loadSettings();
    EXPECT_EQ(gScores(2, 4).values, sample.values);
    EXPECT_EQ(gScores(2, 4).names, sample.names);
    EXPECT_EQ(gScores(1, 1).values[0], -5);
    EXPECT_EQ(soundOptions, (std::array<std::int16_t, 4>{-1, 0, 300, 32767}));
    EXPECT_EQ(solvingData, (std::array<std::uint8_t, 6>{0, 255, 1, 2, 3, 128}));

    saveSettings();
    EXPECT_EQ(fileBytes(storePath()), written);
    EXPECT_TRUE(reports.isEmpty());
}

// One value of the wrong type or size is missing; the rest of the file counts.
TEST_F(SettingsStoreTest, AValueOfTheWrongShapeCountsAsMissing)
{
    struct Row {
        const char *name;
        QVariant stored;
    };
    const Row rows[] = {
        {"SOUNDOPTIONS", QByteArray(10, '\2')},
        {"SOUNDOPTIONS", QStringLiteral("2,2,2,2")},
        {"SOLVINGDATA", QByteArray(7, '\2')},
        {"1STATS1VAL", QByteArray(39, '\2')},
        {"1STATS1VAL", QStringLiteral("2")},
        {"1STATS1_1", QByteArray("Ann")},
        {"1STATS1_1", QStringList{"Ann", "Bea"}},
    };
    for (const Row &row : rows) {
        const std::string what = std::string(row.name) + " as " + row.stored.typeName();
        gScores(1, 1).values.fill(20);
        gScores(1, 1).names.fill("Ann");
        soundOptions = {3, 3, 3, 3};
        solvingData = {4, 4, 4, 4, 4, 4};
        saveSettings();
        RawStore(storePath()).settings.setValue(row.name, row.stored);
        gScores(1, 1).values.fill(9);
        soundOptions = {7, 7, 7, 7};
        solvingData = {8, 8, 8, 8, 8, 8};

        loadSettings();
        const std::string name = row.name;
        EXPECT_EQ(soundOptions[0], name == "SOUNDOPTIONS" ? 1 : 3) << what;
        EXPECT_EQ(solvingData[0], name == "SOLVINGDATA" ? 8 : 4) << what; // left as it was
        EXPECT_EQ(gScores(1, 1).values[1], name == "1STATS1VAL" ? 9 : 20) << what;
        EXPECT_EQ(gScores(1, 1).values[0], name == "1STATS1_1" ? kEmptyScore : gScores(1, 1).values[1]) << what;
        EXPECT_EQ(gScores(1, 1).names[0], name == "1STATS1_1" ? "Anononymous" : "Ann") << what;
    }
    EXPECT_TRUE(reports.isEmpty());
}

} // namespace

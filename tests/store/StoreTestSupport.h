#pragma once
// Shared by the store's tests: every test gets a settings folder of its own,
// so the files of one test never meet QSettings' cache of another's.

#include "ScoreTables.h"
#include "SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace storetest {

inline const QString kFailureMessage = QStringLiteral(" Error Failerd");

// The names of the 90 values, spelled out here rather than taken from the
// store, since they are what older score files hold.
inline QStringList expectedValueNames()
{
    QStringList names{QStringLiteral("SOLVINGDATA"), QStringLiteral("SOUNDOPTIONS")};
    for (int mode = 1; mode <= 2; ++mode) {
        for (int size = 1; size <= 4; ++size) {
            names << QStringLiteral("%1STATS%2VAL").arg(mode).arg(size);
            for (int place = 1; place <= 10; ++place)
                names << QStringLiteral("%1STATS%2_%3").arg(mode).arg(size).arg(place);
        }
    }
    return names;
}

// The file holds exactly the 90 values in group "1.0", each of its type and size.
inline ::testing::AssertionResult holdsWholeStore(const QString &path)
{
    QSettings raw(path, QSettings::IniFormat);
    if (raw.status() != QSettings::NoError)
        return ::testing::AssertionFailure() << "status " << raw.status();
    if (raw.childGroups() != QStringList{QStringLiteral("1.0")} || !raw.childKeys().isEmpty())
        return ::testing::AssertionFailure() << "groups " << raw.childGroups().join(' ').toStdString();
    raw.beginGroup(QStringLiteral("1.0"));
    QStringList keys = raw.childKeys();
    QStringList expected = expectedValueNames();
    keys.sort();
    expected.sort();
    if (keys != expected)
        return ::testing::AssertionFailure() << keys.size() << " values: " << keys.join(' ').toStdString();
    for (const QString &name : expected) {
        const QVariant value = raw.value(name);
        const qsizetype size = name == QLatin1String("SOLVINGDATA")    ? 6
                               : name == QLatin1String("SOUNDOPTIONS") ? 8
                               : name.endsWith(QLatin1String("VAL"))   ? 40
                                                                       : -1;
        const int type = size < 0 ? QMetaType::QString : QMetaType::QByteArray;
        if (value.metaType().id() != type || (size >= 0 && value.toByteArray().size() != size))
            return ::testing::AssertionFailure() << name.toStdString() << " is " << value.typeName()
                                                 << " of " << value.toByteArray().size() << " bytes";
    }
    return ::testing::AssertionSuccess();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        // Never the real player's scores.
        ASSERT_TRUE(storePath().startsWith(folder.path())) << storePath().toStdString();
        tilemere::setStoreErrorReporter([this](const QString &message) { reports << message; });
        for (int mode = 1; mode <= 2; ++mode) {
            for (int size = 1; size <= 4; ++size)
                gScores(mode, size) = tilemere::ScoreTable{};
        }
        soundOptions = {};
        solvingData = {};
    }
    void TearDown() override { tilemere::setStoreErrorReporter(nullptr); }

    QString storePath() const { return tilemere::storeFilePath(); }

    // The store's group in its file, read and written past the store.
    struct RawStore {
        explicit RawStore(const QString &path) : settings(path, QSettings::IniFormat)
        {
            settings.beginGroup(QStringLiteral("1.0"));
        }
        QSettings settings;
    };

    QTemporaryDir folder;
    QStringList reports;
};

} // namespace storetest

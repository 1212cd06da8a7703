#include "StoreTestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <memory>
#include <set>

namespace {

using storetest::holdsWholeStore;

class StoreProcessTest : public storetest::StoreTest {
protected:
    std::unique_ptr<QProcess> startWriter(const QString &name, int saves)
    {
        auto writer = std::make_unique<QProcess>();
        writer->start(QStringLiteral(STORE_WRITER_PATH),
                      {folder.path(), name, QString::number(saves)});
        return writer;
    }

    // Every name in the file, as the store reads them.
    std::set<std::string> storedNames()
    {
        loadSettings();
        std::set<std::string> names;
        for (int mode = 1; mode <= 2; ++mode) {
            for (int size = 1; size <= 4; ++size)
                names.insert(gScores(mode, size).names.begin(), gScores(mode, size).names.end());
        }
        return names;
    }
};

// The waits below are ceilings for a loaded machine, not expectations.
constexpr int kPatience = 60000;

TEST_F(StoreProcessTest, AProgramKilledWhileSavingLeavesAWholeFile)
{
    QRandomGenerator random(11);
    std::set<std::string> written;
    for (int round = 1; round <= 6; ++round) {
        const QString name = QStringLiteral("round %1").arg(round);
        auto writer = startWriter(name, 0);
        ASSERT_TRUE(writer->waitForReadyRead(kPatience)) << "round " << round;
        written.insert(name.toStdString());
        QThread::usleep(random.bounded(20000));
        writer->kill();
        writer->waitForFinished(kPatience);

        ASSERT_TRUE(holdsWholeStore(storePath())) << "round " << round;
        const auto names = storedNames();
        ASSERT_EQ(names.size(), 1u) << "round " << round << ": one save, not a mixture";
        EXPECT_TRUE(written.count(*names.begin())) << *names.begin();
        EXPECT_FALSE(QFile::exists(storePath() + ".bad"));
    }
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(StoreProcessTest, TwoProgramsSavingAtOnceLeaveOneWholeSave)
{
    auto first = startWriter(QStringLiteral("first"), 100);
    auto second = startWriter(QStringLiteral("second"), 100);
    ASSERT_TRUE(first->waitForFinished(kPatience));
    ASSERT_TRUE(second->waitForFinished(kPatience));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0) << "the store reported a failure";
    EXPECT_EQ(second->exitCode(), 0) << "the store reported a failure";

    ASSERT_TRUE(holdsWholeStore(storePath()));
    const auto names = storedNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(*names.begin() == "first" || *names.begin() == "second") << *names.begin();
    EXPECT_EQ(gScores(2, 3).values[4], 234);
}

} // namespace

// Reading folders for the picture browser: a folder of 200,000 files (empty
// ones, named like pictures), from opening it to its first page shown, and
// the memory its list adds at the peak; the same folder read the way it was
// read before it moved off the window's thread (every entry looked at with
// a stat, every name sorted), for comparison; and the longest the window's
// thread is held up while a folder of 40 pictures on a slow share opens.
//
// The slow share needs the test library in front of the C library:
//   LD_PRELOAD=build/tests/slowdisk/slow_disk.so TILEMERE_SLOW_DISK=/tmp/slow
//       build/bench/tilemere_bench --benchmark_filter=SlowShare
#include "Controls.h"
#include "Game.h"
#include "PictureBrowser.h"
#include "PictureFileList.h"
#include "PictureLoader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr int kHugeFolderFiles = 200'000;

// Made once per run.
const QString &hugeFolder()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        for (int i = 0; i < kHugeFolderFiles; ++i)
            ::close(::open(QFile::encodeName(dir.filePath(QStringLiteral("photo %1.jpg").arg(i))).constData(),
                           O_WRONLY | O_CREAT, 0600));
        return true;
    }();
    static const QString path = made ? dir.path() : QString();
    return path;
}

// Runs the event loop until done() or the time is up; a timer every
// millisecond keeps it turning.
template <typename Done> bool waitFor(Done done, int ms)
{
    QTimer turning;
    turning.start(1);
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

long residentKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// The folder read as it was on the window's thread: QDir's list, a stat per
// name, and every name in natural order.
int readAsBefore(const QString &folder)
{
    const QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::System, QDir::NoSort);
    names.removeIf([&dir](const QString &name) {
        struct stat facts {};
        return !tilemere::isPictureName(name) || ::stat(QFile::encodeName(dir.filePath(name)).constData(), &facts) != 0
            || !S_ISREG(facts.st_mode);
    });
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; });
    return static_cast<int>(std::min<qsizetype>(names.size(), tilemere::kCounterLimit));
}

// The memory a reading adds at its peak, in a child of its own since the
// high-water mark is the whole process's; the child reports MiB and ms.
template <typename Reading> void measureInChild(benchmark::State &state, Reading reading)
{
    hugeFolder();
    for (auto _ : state) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            const long before = residentKiB("VmRSS:");
            QElapsedTimer clock;
            clock.start();
            const int count = reading();
            const long report[] = {(residentKiB("VmHWM:") - before) / 1024, static_cast<long>(clock.elapsed()), count};
            ::write(pipeEnds[1], report, sizeof report);
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        long report[3] = {-1, -1, -1};
        ::read(pipeEnds[0], report, sizeof report);
        ::close(pipeEnds[0]);
        ::waitpid(child, nullptr, 0);
        state.counters["added_peak_MiB"] = static_cast<double>(report[0]);
        state.counters["read_ms"] = static_cast<double>(report[1]);
        state.counters["offered"] = static_cast<double>(report[2]);
    }
}

void BM_HugeFolder_ListPeakMemory(benchmark::State &state)
{
    measureInChild(state, [] { return int{PictureFileList::read(hugeFolder()).count()}; });
    if (state.counters["added_peak_MiB"] > 40)
        state.SkipWithError("the list of 200,000 files added more than 40 MiB");
}
BENCHMARK(BM_HugeFolder_ListPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HugeFolder_ReadAsBefore(benchmark::State &state)
{
    measureInChild(state, [] { return readAsBefore(hugeFolder()); });
}
BENCHMARK(BM_HugeFolder_ReadAsBefore)->Unit(benchmark::kMillisecond)->Iterations(3);

// The browser with its controls, as the front screen lays them out.
struct Browser {
    tilemere::Game game;
    QWidget panel;
    std::array<tilemere::ClickLabel *, 9> thumbnailSlots{};
    QLabel *pageLabel = new QLabel(&panel);
    QLabel *noPictures = new QLabel(&panel);
    std::unique_ptr<tilemere::PictureBrowser> browser;

    Browser()
    {
        panel.resize(449, 417);
        for (int k = 0; k < 9; ++k) {
            thumbnailSlots[k] = new tilemere::ClickLabel(&panel);
            thumbnailSlots[k]->setGeometry(16 + 144 * (k % 3), 32 + 128 * (k / 3), 121, 105);
        }
        browser = std::make_unique<tilemere::PictureBrowser>(
            game, tilemere::PictureBrowser::Controls{&panel, thumbnailSlots, pageLabel, noPictures}, nullptr);
        panel.show();
        waitFor([this] { return browser->pageComplete(); }, 5000); // the first frame
    }

    // The longest the window's thread went without handling a timer that
    // asks every millisecond, while the folder opens and its page is made.
    double openAndWatch(const QString &folder, QElapsedTimer &clock)
    {
        double longest = 0;
        qint64 last = 0;
        QTimer ticks;
        ticks.setInterval(1);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, (now - last) / 1e6);
            last = now;
        });
        clock.start();
        ticks.start();
        browser->openFolder(folder);
        waitFor([this] { return browser->pageComplete(); }, 60000);
        return longest;
    }
};

void BM_HugeFolder_FirstPageShown(benchmark::State &state)
{
    const QString folder = hugeFolder();
    Browser shown;
    double stall = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        stall = std::max(stall, shown.openAndWatch(folder, clock));
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["window_stall_ms"] = stall;
    state.counters["label_ok"] = shown.pageLabel->text() == QStringLiteral("Page 1 of 3641 page(s)") ? 1 : 0;
}
BENCHMARK(BM_HugeFolder_FirstPageShown)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

void BM_SlowShare_LongestStall(benchmark::State &state)
{
    const QString share = qEnvironmentVariable("TILEMERE_SLOW_DISK");
    if (share.isEmpty()) {
        state.SkipWithError("needs LD_PRELOAD=.../slow_disk.so and TILEMERE_SLOW_DISK (see the top of FolderBench.cpp)");
        return;
    }
    const QString folder = share + QStringLiteral("/bench-share");
    QDir().mkpath(folder);
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int i = 1; i <= 40; ++i) {
        picture.fill(QColor(6 * i, 255 - 5 * i, 37 * i % 256));
        if (!QFile::exists(folder + QStringLiteral("/%1.bmp").arg(i)))
            picture.save(folder + QStringLiteral("/%1.bmp").arg(i), "BMP");
    }
    qputenv("XDG_CACHE_HOME", QFile::encodeName(QDir::tempPath() + QStringLiteral("/tilemere-bench-cache")));
    Browser shown;
    double stall = 0;
    for (auto _ : state) {
        QDir(QDir::tempPath() + QStringLiteral("/tilemere-bench-cache")).removeRecursively();
        QElapsedTimer clock;
        stall = std::max(stall, shown.openAndWatch(folder, clock));
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["window_stall_ms"] = stall;
    // The same folder read on the window's thread, as before.
    QElapsedTimer before;
    before.start();
    readAsBefore(folder);
    state.counters["read_as_before_ms"] = static_cast<double>(before.elapsed());
}
BENCHMARK(BM_SlowShare_LongestStall)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

} // namespace

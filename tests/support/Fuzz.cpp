#include "Fuzz.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace fuzz {

namespace {

std::int64_t statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

bool resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Aborts the program when one input runs too long; a reader stuck in a
// loop cannot be stopped any other way.
class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit) : limit_(limit), thread_([this] { watch(); }) {}
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    void starting(int number, const QByteArray &input)
    {
        const std::lock_guard lock(mutex_);
        number_ = number;
        input_ = input;
        started_ = std::chrono::steady_clock::now();
        running_ = true;
        changed_.notify_all();
    }
    void finished()
    {
        const std::lock_guard lock(mutex_);
        running_ = false;
    }

private:
    void watch()
    {
        std::unique_lock lock(mutex_);
        while (!done_) {
            if (running_ && std::chrono::steady_clock::now() - started_ > limit_) {
                QFile saved(QStringLiteral("fuzz-hang.bin"));
                if (saved.open(QIODevice::WriteOnly))
                    saved.write(input_);
                std::fprintf(stderr, "fuzz: input %d ran over %lld ms (saved as fuzz-hang.bin)\n", number_,
                             static_cast<long long>(limit_.count()));
                std::abort();
            }
            changed_.wait_for(lock, std::chrono::milliseconds(50));
        }
    }

    const std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false, running_ = false;
    int number_ = 0;
    QByteArray input_;
    std::chrono::steady_clock::time_point started_;
    std::thread thread_; // last: starts once the rest is ready
};

} // namespace

void Mutator::setField(QByteArray &bytes, const Field &field)
{
    if (field.at < 0 || field.at + field.bytes > bytes.size())
        return;
    // The values that break careless sums and signed comparisons, one past
    // the end, and loops back onto the field itself.
    const quint32 values[] = {0, 1, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, quint32(bytes.size()) + below(64),
                              quint32(field.at), quint32(field.at) - 2, below(0x10000)};
    const quint32 value = values[below(std::size(values))];
    for (int i = 0; i < field.bytes; ++i) {
        const int shift = 8 * (field.bigEndian ? field.bytes - 1 - i : i);
        bytes[field.at + i] = char(value >> shift);
    }
}

QByteArray Mutator::mutate(const QByteArray &seed, const QList<Field> &fields)
{
    QByteArray bytes = seed;
    const std::uint32_t steps = 1 + below(4);
    for (std::uint32_t step = 0; step < steps && !bytes.isEmpty(); ++step) {
        const auto size = std::uint32_t(bytes.size());
        const std::uint32_t at = below(size);
        switch (below(7)) {
        case 0: // bit flips
            for (std::uint32_t i = 0, n = 1 + below(8); i < n; ++i)
                bytes[below(size)] ^= char(1 << below(8));
            break;
        case 1: // cut short
            bytes.truncate(at);
            break;
        case 2: { // a slice twice
            const QByteArray slice = bytes.mid(at, 1 + below(std::min<std::uint32_t>(size - at, 4096)));
            bytes.insert(at, slice);
            break;
        }
        case 3: { // a slice blown up
            const QByteArray slice = bytes.mid(at, 1 + below(16));
            bytes.insert(at, slice.repeated(64 + below(4096)));
            break;
        }
        case 4: // bytes put in or taken out
            if (below(2))
                bytes.insert(at, QByteArray(1 + below(8), char(below(256))));
            else
                bytes.remove(at, 1 + below(8));
            break;
        default: { // a length or an offset
            Field field;
            if (!fields.isEmpty() && below(4) != 0)
                field = fields[below(std::uint32_t(fields.size()))];
            else
                field = {qsizetype(at), below(2) ? 4 : 2, below(2) == 0};
            setField(bytes, field);
            break;
        }
        }
    }
    return bytes;
}

Report run(const QList<QByteArray> &seeds, const QList<QList<Field>> &fields, int count, std::uint64_t seed,
           const Reader &reader, Limits limits)
{
    Report report;
    if (seeds.isEmpty()) {
        report.failure = QStringLiteral("no seeds");
        return report;
    }
    Mutator mutator(seed);
    // Decoders complain of every broken input; thousands of lines say nothing.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    Watchdog watchdog(limits.time);
    const bool peakKnown = resetPeak() && statusKiB("VmHWM:") >= 0;
    for (int number = 0; number < count; ++number) {
        const auto which = std::uint32_t(number) % std::uint32_t(seeds.size());
        const QByteArray input = number < seeds.size()
                                     ? seeds[number]
                                     : mutator.mutate(seeds[which], which < fields.size() ? fields[which] : QList<Field>{});
        // The peak is reset every so often: the check is for one input's
        // growth, within the slack of the ones before.
        const std::int64_t before = peakKnown && resetPeak() ? statusKiB("VmRSS:") : -1;
        watchdog.starting(number, input);
        const Verdict verdict = reader(input);
        watchdog.finished();
        ++report.inputs;
        report.accepted += verdict.accepted ? 1 : 0;
        if (!verdict.failure.isEmpty()) {
            report.failure = QStringLiteral("input %1: %2").arg(number).arg(verdict.failure);
            break;
        }
        const std::int64_t grown = before >= 0 ? (statusKiB("VmHWM:") - before) << 10 : 0;
        if (grown > limits.memoryBytes) {
            report.failure = QStringLiteral("input %1: %2 MiB resident").arg(number).arg(grown >> 20);
            break;
        }
    }
    qInstallMessageHandler(previous);
    return report;
}

QList<QByteArray> filesIn(const QString &folder, const QStringList &suffixes)
{
    QList<QByteArray> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (!std::any_of(suffixes.begin(), suffixes.end(), [&](const QString &s) { return name.endsWith(s, Qt::CaseInsensitive); }))
            continue;
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files << file.readAll();
    }
    return files;
}

std::int64_t residentGrowth(const std::function<void()> &work)
{
    if (!resetPeak())
        return -1;
    const std::int64_t before = statusKiB("VmRSS:");
    work();
    const std::int64_t peak = statusKiB("VmHWM:");
    return before < 0 || peak < 0 ? -1 : (peak - before) << 10;
}

} // namespace fuzz

#pragma once
// A small seeded mutation fuzzer for the readers of our own: real seed
// files, mutated the ways damaged and forged files differ from good ones,
// each input run under a watchdog and a memory watch. Reproducible: the same
// seed gives the same inputs, and a failure names the input's number.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>

namespace fuzz {

// ThreadSanitizer keeps shadow memory beside every byte and slows each
// access: bounds on memory and time are scaled by this under it.
#ifdef __SANITIZE_THREAD__
inline constexpr int kSanitizerSlack = 8;
#else
inline constexpr int kSanitizerSlack = 1;
#endif

// A field in a seed that says how long or where something is: the places
// where forged values do the most harm.
struct Field {
    qsizetype at = 0;
    int bytes = 4; // 2 or 4
    bool bigEndian = true;
};

class Mutator {
public:
    explicit Mutator(std::uint64_t seed) : random_(seed) {}

    // One to four of: flipped bits, a cut, a slice repeated (a chunk or
    // segment twice), a slice blown up to many times its length, bytes put
    // in or taken out, and a field (one of fields, or anywhere) set to 0, 1,
    // 2^16 - 1, 2^31 - 1, 2^31, 2^32 - 1, past the end or to its own place
    // (a loop).
    QByteArray mutate(const QByteArray &seed, const QList<Field> &fields = {});

    std::uint32_t below(std::uint32_t bound) { return bound == 0 ? 0 : std::uint32_t(random_() % bound); }

private:
    void setField(QByteArray &bytes, const Field &field);
    std::mt19937_64 random_;
};

struct Limits {
    std::chrono::milliseconds time{2000};        // for one input
    std::int64_t memoryBytes = std::int64_t{256} << 20; // resident growth for one input
};

// What a reader says of one input: false when the input was refused, or
// accepted with a result that is not whole (failure says how).
struct Verdict {
    bool accepted = false;
    QString failure; // empty when all is well
};
using Reader = std::function<Verdict(const QByteArray &input)>;

struct Report {
    int inputs = 0;
    int accepted = 0;
    QString failure; // "input 123: ..." for the first bad one, else empty
};

// Runs reader over count inputs mutated from the seeds (the seeds first, as
// they are). A hang past limits.time aborts the program after saving the
// input as fuzz-hang.bin in the working folder (a watchdog thread), so a
// test run under CTest fails on it; a resident growth past
// limits.memoryBytes, or a failure the reader reports, ends the run.
Report run(const QList<QByteArray> &seeds, const QList<QList<Field>> &fields, int count, std::uint64_t seed,
           const Reader &reader, Limits limits = {});

// The files in folder (not below) whose names end in one of the suffixes.
QList<QByteArray> filesIn(const QString &folder, const QStringList &suffixes);

// How much the resident peak of this process rose while work ran, in bytes
// (from the kernel's high-water mark, reset first); -1 when the kernel
// does not tell.
std::int64_t residentGrowth(const std::function<void()> &work);

} // namespace fuzz

#pragma once
// Seeded mutations of a valid input, for running a reader of our own over
// damaged copies: bit flips, cuts, duplicated and dropped stretches, and
// 32-bit lengths overwritten with the values that break careless sums.
// The same seed gives the same inputs, so a failure can be replayed.

#include <QByteArray>
#include <QRandomGenerator>
#include <QtEndian>

#include <cstdint>

namespace tilemere::testing {

inline constexpr std::uint32_t kAwkwardLengths[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, 0x80000000, 0xFFFF};

class Mutator {
public:
    explicit Mutator(quint32 seed) : random_(seed) {}

    // One to four mutations of seed, each at a random place.
    QByteArray mutate(QByteArray input)
    {
        for (int count = int(random_.bounded(1, 5)); count > 0 && !input.isEmpty(); --count)
            mutateOnce(input);
        return input;
    }

private:
    qsizetype at(const QByteArray &input) { return qsizetype(random_.bounded(quint32(input.size()))); }

    void mutateOnce(QByteArray &input)
    {
        switch (random_.bounded(6)) {
        case 0: { // a bit flipped
            const qsizetype where = at(input);
            input[where] = char(input[where] ^ (1 << random_.bounded(8)));
            break;
        }
        case 1: // cut short
            input.truncate(at(input));
            break;
        case 2: { // a stretch repeated, as a field given twice
            const qsizetype from = at(input);
            const qsizetype length = qMin(input.size() - from, qsizetype(random_.bounded(1, 64)));
            input.insert(from, input.mid(from, length));
            break;
        }
        case 3: { // a stretch dropped
            const qsizetype from = at(input);
            input.remove(from, qMin(input.size() - from, qsizetype(random_.bounded(1, 16))));
            break;
        }
        case 4: { // a length made awkward, wherever four bytes fit
            if (input.size() < 4)
                break;
            const qsizetype where = qsizetype(random_.bounded(quint32(input.size() - 3)));
            const auto length = kAwkwardLengths[random_.bounded(quint32(std::size(kAwkwardLengths)))];
            qToLittleEndian(length, input.data() + where);
            break;
        }
        default: // a random byte put in
            input.insert(at(input), char(random_.bounded(256)));
            break;
        }
    }

    QRandomGenerator random_;
};

} // namespace tilemere::testing

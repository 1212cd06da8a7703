#pragma once
// Opening a file from outside, and holding its decode to the bytes its
// picture can need and to a few seconds: a stream that never ends, a file
// padded with gigabytes of zeros or a decode nobody waits for any more
// stops at the next read. Internal to the pictures library.

#include <QFile>
#include <QIODevice>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>

namespace tilemere {

// Opens path for reading into file when it is a regular file (links
// followed), never waiting: a pipe, a device or a link to one planted under
// a picture's or a thumbnail's name is refused without being read, and
// opening some devices does something (a tape rewinds, a watchdog starts).
bool openPictureFile(const QString &path, QFile &file);

// When a decode gives up: past its deadline, or once the one who asked for
// it has moved on (a turned page). Copyable; the counter, when given, must
// outlive every copy.
class DecodeStop {
public:
    // A page of camera photos decodes in well under a second each.
    static constexpr std::chrono::milliseconds kDefaultTime{3000};

    explicit DecodeStop(std::chrono::milliseconds allowed = kDefaultTime);
    // Also stops once *counter no longer holds wanted.
    DecodeStop(std::chrono::milliseconds allowed, const std::atomic<int> &counter, int wanted);

    bool stopped() const;

private:
    std::chrono::steady_clock::time_point deadline_;
    const std::atomic<int> *counter_ = nullptr;
    int wanted_ = 0;
};

// Reads another device, at most byteCap bytes in all, and fails every read
// once stop says so (a decoder ends on a failed read). Its size is the
// source's, capped, so that a decoder reading "everything" allocates for
// the cap at most. Seeks pass through; bytes skipped are not counted.
class BoundedDevice : public QIODevice {
public:
    // source must be open for reading and outlive this device, which is
    // opened at the source's position.
    BoundedDevice(QIODevice &source, std::int64_t byteCap, const DecodeStop &stop);

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 position) override;
    // Bytes handed to the decoder so far.
    std::int64_t bytesRead() const { return read_; }
    bool stopped() const { return stop_.stopped(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &source_;
    const std::int64_t cap_;
    const DecodeStop stop_;
    std::int64_t read_ = 0;
};

} // namespace tilemere

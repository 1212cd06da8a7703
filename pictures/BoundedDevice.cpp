#include "BoundedDevice.h"

#include "DiskNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace tilemere {

bool openPictureFile(const QString &path, QFile &file)
{
    // Should the file be swapped for a pipe between the look and the open,
    // the open still does not wait, and the second look refuses it.
    const QByteArray name = pathToDisk(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

DecodeStop::DecodeStop(std::chrono::milliseconds allowed)
    : deadline_(std::chrono::steady_clock::now() + allowed)
{
}

DecodeStop::DecodeStop(std::chrono::milliseconds allowed, const std::atomic<int> &counter, int wanted)
    : deadline_(std::chrono::steady_clock::now() + allowed), counter_(&counter), wanted_(wanted)
{
}

bool DecodeStop::stopped() const
{
    return (counter_ && counter_->load(std::memory_order_relaxed) != wanted_) ||
           std::chrono::steady_clock::now() > deadline_;
}

BoundedDevice::BoundedDevice(QIODevice &source, std::int64_t byteCap, const DecodeStop &stop)
    : source_(source), cap_(std::max<std::int64_t>(byteCap, 0)), stop_(stop)
{
    // Unbuffered: every read of the decoder comes here and is counted and
    // checked, and no second copy of the bytes is kept.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    QIODevice::seek(source.pos());
}

qint64 BoundedDevice::size() const
{
    return std::min<qint64>(source_.size(), cap_);
}

bool BoundedDevice::seek(qint64 position)
{
    return QIODevice::seek(position) && source_.seek(position);
}

qint64 BoundedDevice::readData(char *data, qint64 maxSize)
{
    if (stop_.stopped())
        return -1;
    const qint64 allowed = std::min<qint64>(maxSize, cap_ - read_);
    if (allowed <= 0)
        return 0; // the end, as far as the decoder is concerned
    const qint64 got = source_.read(data, allowed);
    if (got > 0)
        read_ += got;
    return got;
}

} // namespace tilemere

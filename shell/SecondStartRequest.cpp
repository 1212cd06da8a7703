#include "SecondStartRequest.h"

#include <QStringDecoder>
#include <QtEndian>

#include <cstdint>

namespace tilemere {

namespace {

constexpr char kHeader[] = {'B', 'W', 'T', 'M', '\x01'};
constexpr qsizetype kHeaderSize = sizeof kHeader;
constexpr qsizetype kFieldHead = 5; // tag and length
// Tokens are short opaque words; a path is bounded by the whole request.
constexpr qsizetype kMaxTokenBytes = 512;

void appendField(QByteArray &to, char tag, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    char length[4];
    qToLittleEndian(static_cast<std::uint32_t>(bytes.size()), length);
    to.append(tag).append(length, 4).append(bytes);
}

// Goes into the environment and to the display server as is.
bool isToken(QByteArrayView bytes)
{
    if (bytes.size() > kMaxTokenBytes)
        return false;
    for (char c : bytes) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}

std::optional<QString> pathOf(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString path = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    for (QChar c : path) {
        if (c.category() == QChar::Other_Control)
            return std::nullopt;
    }
    return path;
}

} // namespace

QByteArray encodeRequest(const SecondStartRequest &request)
{
    QByteArray bytes(kHeader, kHeaderSize);
    appendField(bytes, 'P', request.handedPath.toUtf8());
    appendField(bytes, 'A', request.activationToken);
    appendField(bytes, 'S', request.startupId);
    return bytes;
}

std::optional<SecondStartRequest> decodeRequest(QByteArrayView bytes)
{
    if (bytes.size() > kMaxRequestBytes || bytes.size() < kHeaderSize ||
        bytes.first(kHeaderSize) != QByteArrayView(kHeader, kHeaderSize))
        return std::nullopt;
    SecondStartRequest request;
    bool seenPath = false, seenToken = false, seenId = false;
    for (qsizetype at = kHeaderSize; at < bytes.size();) {
        if (bytes.size() - at < kFieldHead)
            return std::nullopt;
        const char tag = bytes[at];
        // Unsigned and 64-bit so that no stated length can wrap the sum.
        const std::uint64_t length = qFromLittleEndian<std::uint32_t>(bytes.data() + at + 1);
        at += kFieldHead;
        if (length == 0 || length > std::uint64_t(bytes.size() - at))
            return std::nullopt;
        const QByteArrayView field = bytes.sliced(at, qsizetype(length));
        at += qsizetype(length);
        bool *seen = tag == 'P' ? &seenPath : tag == 'A' ? &seenToken : tag == 'S' ? &seenId : nullptr;
        if (!seen || *seen)
            return std::nullopt;
        *seen = true;
        if (tag == 'P') {
            auto path = pathOf(field);
            if (!path)
                return std::nullopt;
            request.handedPath = *path;
        } else if (!isToken(field)) {
            return std::nullopt;
        } else {
            (tag == 'A' ? request.activationToken : request.startupId) = field.toByteArray();
        }
    }
    return request;
}

} // namespace tilemere

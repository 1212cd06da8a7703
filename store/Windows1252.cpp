#include "Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tilemere {

namespace {

// Qt reaches the code page through ICU, whose table gives the five bytes
// 1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) the control
// characters of the same number both ways, as Windows does.
constexpr const char *kCodePage = "windows-1252";

} // namespace

QByteArray toWindows1252(const QString &text)
{
    // The encoder drops what it cannot represent, so each code point goes on
    // its own: a character outside the basic plane is one unrepresentable
    // character and becomes a single "?".
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        if (text[at].unicode() < 0x80) {
            bytes.append(char(text[at].unicode()));
        } else {
            // A new encoder each time: one that has met an error keeps it.
            QStringEncoder encoder(kCodePage, QStringEncoder::Flag::Stateless);
            const QByteArray one = encoder.encode(QStringView(text).sliced(at, length));
            bytes.append(!encoder.hasError() && one.size() == 1 ? one : QByteArray("?"));
        }
        at += length;
    }
    return bytes;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace tilemere

#include "Windows1252.h"

#include <QList>

#include <array>

namespace tilemere {

namespace {

// 0x80..0x9F, the only block where 1252 differs from Latin-1. The unassigned
// bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to themselves.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isUnassigned(char32_t code)
{
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

char encodeOne(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF) || isUnassigned(code))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // Code points, not UTF-16 units: a character outside the basic plane is
    // one unrepresentable character and becomes a single "?".
    for (char32_t code : text.toUcs4())
        bytes.append(encodeOne(code));
    return bytes;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x80 && code < 0xA0)
            text.append(QChar(static_cast<char16_t>(kHighBlock[code - 0x80])));
        else
            text.append(QChar(static_cast<char16_t>(code)));
    }
    return text;
}

} // namespace tilemere

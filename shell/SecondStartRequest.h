#pragma once
// What a second start sends the running game: the picture or folder it was
// handed and the desktop's tokens that let the running game come forward.
// Whoever can reach the socket can send anything, so reading a request is a
// pure function that refuses everything but a well-formed one.
//
// Layout: "BWTM" 0x01, then up to three fields, each a tag byte ('P' path,
// 'A' Wayland activation token, 'S' X11 startup id), a 32-bit little-endian
// length and that many bytes. Each tag at most once; nothing after the last.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tilemere {

struct SecondStartRequest {
    QString handedPath;        // empty when nothing was handed
    QByteArray activationToken; // XDG_ACTIVATION_TOKEN of the second start
    QByteArray startupId;       // DESKTOP_STARTUP_ID of the second start
    bool operator==(const SecondStartRequest &) const = default;
};

// Nothing is read past this; a longer request is refused.
inline constexpr qsizetype kMaxRequestBytes = 8 * 1024;

QByteArray encodeRequest(const SecondStartRequest &request);
// The request, or nothing for anything not well formed: a wrong header,
// unknown or repeated tags, lengths past the end, bytes left over, a path
// that is not UTF-8 or holds a control character, tokens that are not
// printable ASCII, or more than kMaxRequestBytes in all.
std::optional<SecondStartRequest> decodeRequest(QByteArrayView bytes);

} // namespace tilemere

#pragma once
// Reads the store file one line at a time, decoding each value the way
// QSettings writes it. QSettings itself is not trusted with a file it did not
// just write: it lets a trailing "\" or an open quote swallow the next line,
// drops bytes that are not UTF-8, and deserialises "@Variant(...)" values
// blindly (a crafted one asks for 128 GB).

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace tilemere::store {

// One of the store's values as the file holds it.
struct RawValue {
    enum class Kind { Missing, Bytes, Text, Unusable };
    Kind kind = Kind::Missing;
    QByteArray bytes; // Kind::Bytes
    QString text;     // Kind::Text
    bool operator==(const RawValue &) const = default;
};

// Tells whether a file is still the one that was read: same file, size and
// modification time.
struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 size = 0, modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// The file's stamp now; nothing when it cannot be looked at (or is missing).
std::optional<FileStamp> stampOf(const QString &path);

struct StoreText {
    bool exists = false;
    std::optional<FileStamp> stamp; // of the file read, when one was
    // The store's own values found in its group; names not listed are missing.
    QHash<QString, RawValue> values;
    // Something in the file could not be read cleanly: a line that is not a
    // setting, a value QSettings would misread or deserialise, a value given
    // twice. A save would lose it, so the file must be kept aside first.
    bool flawed = false;
};

// Nothing when the file exists but cannot be read, or is not a plain file (a
// FIFO, a device, a link to one: opened without waiting, and never read); a
// missing file reads as empty.
std::optional<StoreText> readStoreText(const QString &path);

} // namespace tilemere::store

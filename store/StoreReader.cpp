#include "StoreReader.h"

#include "StoreValues.h"
#include "Windows1252.h"

#include <QFile>
#include <QStringDecoder>
#include <QSet>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <utility>

namespace tilemere::store {

namespace {

// The store's longest line is about 300 bytes; anything far longer is not
// one of its values and is skipped without being held in memory.
constexpr qsizetype kLongestLine = 64 * 1024;

FileStamp stampFrom(const struct stat &info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

// QSettings' own reading of a value: quotes, backslash escapes (\n, \x41,
// \101, ...), unquoted commas making a list, spaces trimmed outside quotes.
// Runs of plain bytes are decoded as UTF-8, or as code page 1252 when utf8 is
// false. One element unless the value is a list.
QStringList unescapeValue(QByteArrayView raw, bool utf8)
{
    static constexpr std::pair<char, char> kEscapes[] = {
        {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
        {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    QStringList parts;
    QString current;
    bool inQuotes = false, quoted = false;
    qsizetype keep = 0; // trailing spaces up to here came from escapes or quotes
    qsizetype i = 0;
    const auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        keep = current.size();
    };
    const auto chopSpaces = [&] {
        while (!quoted && current.size() > keep && (current.back() == u' ' || current.back() == u'\t'))
            current.chop(1);
    };
    const auto number = [&](int base, int maxDigit) {
        char16_t code = 0;
        for (; i < raw.size(); ++i) {
            const int digit = QChar::fromLatin1(raw[i]).isDigit() ? raw[i] - '0'
                              : (raw[i] | 0x20) >= 'a' && (raw[i] | 0x20) <= 'f' ? (raw[i] | 0x20) - 'a' + 10
                                                                                  : 99;
            if (digit > maxDigit)
                break;
            code = static_cast<char16_t>(code * base + digit);
        }
        current += QChar(code);
    };
    skipSpaces();
    while (i < raw.size()) {
        const char ch = raw[i];
        if (ch == '\\') {
            if (++i == raw.size())
                break;
            const char code = raw[i++];
            bool known = false;
            for (const auto &[letter, meaning] : kEscapes) {
                if (code == letter) {
                    current += QLatin1Char(meaning);
                    known = true;
                }
            }
            if (!known && code == 'x' && i < raw.size() && isxdigit(static_cast<unsigned char>(raw[i])))
                number(16, 15);
            else if (!known && code >= '0' && code <= '7') {
                --i;
                number(8, 7);
            }
            keep = current.size(); // an unknown escape is dropped
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces();
        } else if (ch == ',' && !inQuotes) {
            chopSpaces();
            parts << std::exchange(current, QString());
            quoted = false;
            ++i;
            skipSpaces();
        } else {
            qsizetype end = i + 1;
            while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            const QByteArrayView run = raw.sliced(i, end - i);
            current += utf8 ? fromUtf8.decode(run) : fromWindows1252(run.toByteArray());
            i = end;
        }
    }
    chopSpaces();
    parts << current;
    return parts;
}

// What QSettings would make of one element, as far as the store cares.
RawValue valueOf(const QString &text, bool &refused)
{
    RawValue value{RawValue::Kind::Unusable, {}, {}};
    if (text.startsWith(u'@') && text.endsWith(u')')) {
        if (text.startsWith(QLatin1String("@ByteArray("))) {
            const QStringView inner = QStringView(text).sliced(11, text.size() - 12);
            for (QChar c : inner) {
                if (c.unicode() > 0xFF)
                    return value; // no byte; QSettings would make it a "?"
            }
            return {RawValue::Kind::Bytes, inner.toLatin1(), {}};
        }
        if (text.startsWith(QLatin1String("@String(")))
            return {RawValue::Kind::Text, {}, text.sliced(8, text.size() - 9)};
        // Serialised objects are never looked at: QSettings trusts their sizes.
        refused = text.startsWith(QLatin1String("@Variant(")) || text.startsWith(QLatin1String("@DateTime("));
        for (const char *other : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Invalid("}) {
            if (text.startsWith(QLatin1String(other)))
                return value;
        }
    }
    return {RawValue::Kind::Text, {}, text.startsWith(QLatin1String("@@")) ? text.sliced(1) : text};
}

// Keys and groups the program writes are plain; anything QSettings would
// rewrite (%-escapes, "/", "\") might stand for one of the store's own.
bool isPlainKey(QByteArrayView key)
{
    for (char c : key) {
        if (c == '%' || c == '/' || c == '\\' || static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return !key.isEmpty();
}

class LineReader {
public:
    LineReader(StoreText &text) : text_(text)
    {
        for (const QString &name : allValueNames())
            names_.insert(name);
    }

    void read(QByteArrayView line)
    {
        while (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t'))
            line = line.sliced(1);
        if (line.isEmpty() || line.front() == ';')
            return;
        if (line.front() == '[') {
            const qsizetype close = line.indexOf(']');
            const QByteArrayView name = close < 0 ? QByteArrayView() : line.sliced(1, close - 1).trimmed();
            if (close < 0 || !isPlainKey(name))
                text_.flawed = true;
            inGroup_ = name == kGroup;
            return;
        }
        // Where QSettings ends the line and splits it: escapes hide the next
        // byte, an unquoted ";" starts a comment, the first "=" splits.
        qsizetype equals = -1, end = line.size();
        bool inQuotes = false, cutEscape = false;
        for (qsizetype i = 0; i < end; ++i) {
            if (line[i] == '\\')
                cutEscape = ++i == line.size();
            else if (line[i] == '"')
                inQuotes = !inQuotes;
            else if (line[i] == '=' && equals < 0)
                equals = i;
            else if (line[i] == ';' && !inQuotes)
                end = i;
        }
        const QByteArrayView key = equals < 0 ? QByteArrayView() : line.first(equals).trimmed();
        if (equals < 0 || !isPlainKey(key)) {
            text_.flawed = true;
            return;
        }
        // QSettings would read on into the next line.
        const bool runsOn = inQuotes || cutEscape;
        const QByteArrayView raw = line.sliced(equals + 1, end - equals - 1);
        const bool utf8 = isUtf8(raw);
        const QString name = QString::fromLatin1(key);
        const bool ours = inGroup_ && names_.contains(name);
        // Only the names are ever written in code page 1252; other bytes that
        // are not UTF-8 are damage that QSettings would drop on the next save.
        const bool isName = ours && !name.endsWith(QLatin1String("VAL")) && name.contains(u'_');
        bool refused = false;
        const QStringList parts = unescapeValue(raw, utf8 || !isName);
        RawValue value = valueOf(parts.front(), refused);
        for (const QString &part : parts.sliced(1))
            valueOf(part, refused);
        const bool damaged = runsOn || refused || (!utf8 && !isName);
        text_.flawed = text_.flawed || damaged;
        if (damaged || parts.size() > 1)
            value = {RawValue::Kind::Unusable, {}, {}};
        if (!ours)
            return;
        if (text_.values.contains(name) && text_.values.value(name) != value)
            text_.flawed = true; // the last one counts; the other would be lost
        text_.values.insert(name, value);
    }

private:
    StoreText &text_;
    QSet<QString> names_;
    bool inGroup_ = false;
};

} // namespace

std::optional<FileStamp> stampOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return stampFrom(info);
}

std::optional<StoreText> readStoreText(const QString &path)
{
    StoreText text;
    // Without O_NONBLOCK a FIFO in the file's place would hold the start
    // until something wrote to it.
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        if (errno == ENOENT)
            return text;
        return std::nullopt;
    }
    struct stat info;
    QFile file;
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return std::nullopt;
    }
    text.exists = true;
    text.stamp = stampFrom(info);
    LineReader reader(text);
    bool first = true;
    // One buffer for every line: asking Qt for a line of up to 64 KiB makes
    // it allocate that much for each.
    QByteArray buffer(kLongestLine + 2, '\0');
    const auto readLine = [&]() -> QByteArrayView {
        const qint64 got = file.readLine(buffer.data(), buffer.size());
        return got > 0 ? QByteArrayView(buffer.constData(), got) : QByteArrayView();
    };
    while (!file.atEnd()) {
        QByteArrayView chunk = readLine();
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return std::nullopt;
        if (!chunk.endsWith('\n') && !file.atEnd()) {
            text.flawed = true;
            while (!file.atEnd() && !readLine().endsWith('\n')) {
            }
            first = false;
            continue;
        }
        if (first && chunk.startsWith("\xEF\xBB\xBF"))
            chunk = chunk.sliced(3); // a byte-order mark, which QSettings skips too
        first = false;
        if (chunk.endsWith('\n'))
            chunk.chop(1);
        // QSettings ends a line at "\r" as well as "\n".
        for (qsizetype end; (end = chunk.indexOf('\r')) >= 0; chunk = chunk.sliced(end + 1))
            reader.read(chunk.first(end));
        reader.read(chunk);
    }
    return text;
}

} // namespace tilemere::store

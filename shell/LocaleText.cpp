#include "LocaleText.h"

#include "Windows1252.h"

#include <algorithm>
#include <utility>

namespace tilemere {

namespace {

bool holdsInWindows1252(const QString &character)
{
    return fromWindows1252(toWindows1252(character)) == character;
}

} // namespace

QString countText(int count, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(count);
}

QString clockText(std::int32_t seconds, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    // The seconds are padded with the locale's own zero, not an ASCII one.
    QString secondsText = plain.toString(seconds % 60);
    if (secondsText.size() < 2)
        secondsText.prepend(plain.zeroDigit());
    return plain.toString(seconds / 60) + u':' + secondsText;
}

namespace {

// Latin letters that decomposition leaves whole, with their plain forms.
constexpr std::pair<char16_t, char16_t> kPlainForms[] = {
    {u'\u0131', u'i'}, {u'\u0141', u'L'}, {u'\u0142', u'l'}, {u'\u0110', u'D'}, {u'\u0111', u'd'},
    {u'\u0126', u'H'}, {u'\u0127', u'h'}, {u'\u0166', u'T'}, {u'\u0167', u't'}};

// The character's base letters that 1252 holds, its accents dropped.
QString plainForm(QChar character)
{
    for (const auto &[letter, plain] : kPlainForms)
        if (character == QChar(letter))
            return QString(QChar(plain));
    QString plain;
    for (const QChar part : QString(character).normalized(QString::NormalizationForm_KD)) {
        const auto category = part.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing || part.unicode() < 0x20)
            continue;
        if (holdsInWindows1252(QString(part)))
            plain += part;
    }
    return plain;
}

bool isKept(QChar c)
{
    return !c.isSurrogate() && c.unicode() >= 0x20 && holdsInWindows1252(QString(c));
}

} // namespace

bool keptAsItIs(QStringView word)
{
    return std::all_of(word.begin(), word.end(), isKept);
}

QString plainLatin(QStringView word)
{
    QString plain;
    for (qsizetype i = 0; i < word.size(); ++i) {
        // A surrogate pair is one character (an emoji, say); 1252 has none.
        if (word.at(i).isSurrogate()) {
            i += word.at(i).isHighSurrogate() && i + 1 < word.size() && word.at(i + 1).isLowSurrogate();
            continue;
        }
        if (word.at(i).unicode() >= 0x20)
            plain += plainForm(word.at(i));
    }
    return plain;
}

QString foldToWindows1252(const QString &text)
{
    QString folded;
    folded.reserve(text.size());
    // Word by word: a word the code page holds stays as it is ("Jörg"); a
    // word it does not is written plain throughout ("Şükrü" -> "Sukru"),
    // not half in one form and half in the other.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        const QStringView word = QStringView(text).sliced(start, end - start);
        folded += keptAsItIs(word) ? word.toString() : plainLatin(word);
        for (; end < text.size() && text.at(end).isSpace(); ++end)
            if (isKept(text.at(end)))
                folded += text.at(end);
        start = end;
    }
    return folded;
}

bool startsWithFolded(const QString &name, const QString &typed, const QLocale &locale)
{
    // Lower-casing by the locale keeps Turkish "I" as "ı" and "İ" as "i";
    // comparing the lower forms, prefix by prefix, copes with a letter whose
    // lower form is longer than itself.
    const QString lowerTyped = locale.toLower(typed);
    return locale.toLower(name).startsWith(lowerTyped);
}

} // namespace tilemere

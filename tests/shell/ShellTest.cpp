// The shell services in one process with a real QApplication drawing
// offscreen; the desktop's browser and the sound output are intercepted.
// Which WAV files the real player can play and what it hands to the audio
// output; everything else gives the default beep instead.
#include "Shell.h"
#include "SoundPlayer.h"
#include "WindowTestMain.h"

#include "Fuzz.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Receives, while it lives, what would have gone to the desktop's browser.
struct UrlCatcher : QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
    UrlCatcher() { for (const char *scheme : {"file", "https"}) QDesktopServices::setUrlHandler(scheme, this, "open"); }
    ~UrlCatcher() override { for (const char *scheme : {"file", "https"}) QDesktopServices::unsetUrlHandler(scheme); }
public slots:
    void open(const QUrl &url) { urls << url; }
};

// Records the full path of each sound played, and "beep" for each beep.
struct RecordingSound : tilemere::SoundOutput {
    QStringList played;
    void play(const QString &path) override { played << path; }
    void beep() override { played << QStringLiteral("beep"); }
};

void touch(const QString &path) { QFile(path).open(QIODevice::WriteOnly); }

template <typename T> QByteArray little(T value)
{
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

TEST(ShellServicesTest, HelpAndSoundsUseTheRightFiles)
{
    QTemporaryDir temporary;
    UrlCatcher catcher;
    RecordingSound sounds;
    QStringList messages;
    tilemere::setSoundOutput(&sounds);
    tilemere::setMessageHandler([&messages](const QString &text, const QString &) { messages << text; });

    // Characters that mean something in a URL must survive as part of the path.
    const QString app = temporary.filePath(QStringLiteral("Mes jeux/Brackwater \u00c4rger #2 100% done"));
    const QString index = app + QStringLiteral("/index.htm");
    ASSERT_TRUE(QDir().mkpath(app));
    tilemere::setApplicationFolder(app);
    tilemere::openHelp(); // no index yet: the same address, and no message
    touch(index);
    tilemere::openHelp();
    ASSERT_EQ(catcher.urls.size(), 2);
    for (const QUrl &url : catcher.urls)
        EXPECT_EQ(url.toLocalFile(), index); // empty unless a local file

    tilemere::setApplicationFolder(temporary.path());
    const QString gfx = temporary.filePath(QStringLiteral("Gfx/"));
    ASSERT_TRUE(QDir().mkpath(gfx + QStringLiteral("folder.wav")));
    touch(gfx + QStringLiteral("click.wav"));
    touch(gfx + QStringLiteral("../claps.wav")); // beside Gfx, not in it
    const struct { const char *name, *fileName; bool plays; } soundCases[] = {
        {"present", "click.wav", true},
        {"missing: the default beep", "missing.wav", false},
        {"only outside Gfx", "claps.wav", false},
        {"a folder of that name", "folder.wav", false},
    };
    for (const auto &c : soundCases) {
        sounds.played.clear();
        tilemere::playSound(QString::fromLatin1(c.fileName));
        EXPECT_EQ(sounds.played, QStringList{c.plays ? gfx + QLatin1String(c.fileName) : QStringLiteral("beep")})
            << c.name;
    }
    EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join(u'\n'));
    tilemere::setSoundOutput(nullptr);
    tilemere::setMessageHandler({});
    tilemere::setApplicationFolder({});
}

// File names come from outside: one that spells markup is shown as written,
// and a picture it names is never read (with /dev/zero that ran out of memory).
TEST(ShellServicesTest, MessagesShowOutsideTextAsWritten)
{
    QTemporaryDir temporary;
    const QString picture = temporary.filePath(QStringLiteral("big.png"));
    QImage(400, 400, QImage::Format_RGB32).save(picture);
    const QString text = QStringLiteral("<b>x</b> <img src=%1> is not a picture the game can open.").arg(picture);
    QString shown;
    int shownHeight = 0;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            shown = label->text();
            shownHeight = label->sizeHint().height();
            if (label->textFormat() != Qt::PlainText)
                shown += QStringLiteral(" (as markup)");
        }
        box->accept();
    });
    tilemere::showMessage(nullptr, text, QStringLiteral("Brackwater-Tilemere"));
    EXPECT_EQ(shown.toStdString(), text.toStdString());
    EXPECT_LT(shownHeight, 100) << "one line of text, not the picture";
}

// Damaged copies of real sounds: each is refused or gives whole frames of a
// format an output can take, never more samples than the file held.
TEST(WaveFileTest, DamagedFilesAreRefusedOrGiveWholeFrames)
{
    const auto wave = [](quint16 tag, quint16 channels, quint16 bits, const QByteArray &extra) {
        const quint16 frame = channels * bits / 8;
        const QByteArray format = little(tag) + little(channels) + little<quint32>(22050) +
                                  little<quint32>(22050u * frame) + little(frame) + little(bits);
        QByteArray samples(600, '\0');
        for (int i = 0; i < samples.size(); ++i)
            samples[i] = char(i * 7);
        const QByteArray body = "fmt " + little<quint32>(format.size()) + format + extra + "data" +
                                little<quint32>(samples.size()) + samples;
        return "RIFF" + little<quint32>(4 + body.size()) + "WAVE" + body;
    };
    const QByteArray seeds[] = {wave(1, 1, 16, {}), wave(1, 2, 24, {}), wave(3, 2, 32, "LIST" + little(3) + "abc\0")};
    fuzz::Mutator mutator(4242);
    int played = 0;
    for (int round = 0; round < 5000; ++round) {
        const QByteArray input = mutator.mutate(seeds[round % std::size(seeds)]);
        const auto sound = tilemere::decodeWave(input);
        if (!sound)
            continue;
        ++played;
        SCOPED_TRACE(input.toHex().left(120).constData());
        const int frame = sound->format.bytesPerFrame();
        ASSERT_GT(frame, 0);
        EXPECT_EQ(sound->samples.size() % frame, 0);
        EXPECT_GT(sound->samples.size(), 0);
        EXPECT_LE(sound->samples.size(), input.size() * 4 / 3) << "24-bit samples widen by a third, no more";
        EXPECT_TRUE(sound->format.sampleRate() >= 1000 && sound->format.sampleRate() <= 768000);
    }
    EXPECT_GT(played, 0);
}

// The sounds are the game's own files in Gfx: which of them play, as what,
// and which are refused (a file cut short plays its whole frames).
TEST(WaveFileTest, PlayableFilesAndWhatTheOutputGets)
{
    const auto chunk = [](const char *id, const QByteArray &body) {
        return QByteArray(id, 4) + little<quint32>(body.size()) + body + QByteArray(body.size() % 2, '\0');
    };
    // The extensible header (tag 0xFFFE) names the real format in `extension`.
    const auto format = [&chunk](quint16 tag, quint16 channels, quint32 rate, quint16 bits, QByteArray extension = {}) {
        const quint16 frame = channels * bits / 8;
        return chunk("fmt ", little(tag) + little(channels) + little(rate) + little(rate * frame) + little(frame) +
                                 little(bits) + extension);
    };
    const auto wave = [](const QByteArray &body) { return "RIFF" + little<quint32>(4 + body.size()) + "WAVE" + body; };
    const QByteArray data = chunk("data", QByteArray::fromHex("01020304")), pcm16 = format(1, 1, 44100, 16);
    const QByteArray extensible = QByteArray::fromHex("16001000000000000100000000001000800000aa00389b71");
    // Expected: channels, rate, sample format, samples; nothing: not playable.
    const struct { const char *name; QByteArray file; const char *expected; } cases[] = {
        {"16-bit mono", wave(pcm16 + data), "1 44100 Int16 01020304"},
        {"8-bit stereo", wave(format(1, 2, 11025, 8) + data), "2 11025 UInt8 01020304"},
        {"32-bit float", wave(format(3, 1, 48000, 32) + data), "1 48000 Float 01020304"},
        {"extensible 16-bit", wave(format(0xFFFE, 2, 22050, 16, extensible) + data), "2 22050 Int16 01020304"},
        {"24-bit widened to the top of 32", wave(format(1, 1, 44100, 24) + chunk("data", "\xaa\xbb\xcc\x11\x22\x33")),
         "1 44100 Int32 00aabbcc00112233"},
        {"odd-sized chunk before the samples", wave(pcm16 + chunk("LIST", "abc") + data), "1 44100 Int16 01020304"},
        {"samples before the format", wave(data + pcm16), "1 44100 Int16 01020304"},
        {"cut short: whole frames only", wave(format(1, 2, 44100, 16)) + "data" + little(400) + "\1\2\3\4\5\6\7",
         "2 44100 Int16 01020304"},
        {"text named .wav", "click click click click click", ""},
        {"another RIFF kind", "RIFF" + little(16) + "AVI " + data, ""},
        {"compressed (ADPCM)", wave(format(2, 1, 44100, 4) + data), ""},
        {"12-bit PCM", wave(format(1, 1, 44100, 12) + data), ""},
        {"no channels", wave(format(1, 0, 44100, 16) + data), ""},
        {"no samples chunk", wave(pcm16), ""},
        {"no format chunk", wave(data), ""},
        {"less than one frame", wave(format(1, 2, 44100, 16) + chunk("data", "ab")), ""},
        {"format chunk cut short", wave(chunk("fmt ", little<quint16>(1) + little<quint16>(1))), ""},
    };
    const char *const sampleFormats[] = {"Unknown", "UInt8", "Int16", "Int32", "Float"};
    QTemporaryDir folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QLatin1String(c.name));
        if (QFile file(path); file.open(QIODevice::WriteOnly))
            file.write(c.file);
        const std::optional<tilemere::WaveSound> sound = tilemere::readWave(path);
        const std::string got = !sound ? "" : QString::asprintf("%d %d %s %s", sound->format.channelCount(),
            sound->format.sampleRate(), sampleFormats[sound->format.sampleFormat()],
            sound->samples.toHex().constData()).toStdString();
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_FALSE(tilemere::readWave(folder.filePath(QStringLiteral("missing.wav"))));
}

// A resource folder counts as present when it exists and can be listed;
// each row is a path below one folder holding every kind the game may meet.
void expectPresence(std::initializer_list<std::tuple<const char *, const char *, bool>> rows)
{
    QTemporaryDir base;
    const QDir dir(base.path());
    for (const auto &[name, mode] :
         {std::pair{"Gfx", 0700}, {"Empty", 0700}, {"Locked", 0000}, {"EnterOnly", 0100}, {"ReadOnly", 0500}})
        ASSERT_EQ(::mkdir(QFile::encodeName(dir.filePath(name)).constData(), mode), 0) << name;
    touch(dir.filePath("Puzzleimages"));
    QFile::link(dir.filePath("Gfx"), dir.filePath("Linked"));
    QFile::link(dir.filePath("gone"), dir.filePath("help"));
    for (const auto &[name, path, present] : rows)
        EXPECT_EQ(tilemere::resourceFolderPresent(dir.filePath(path)), present) << name;
}

TEST(ResourceFolderTest, ExistingFoldersArePresentEvenEmpty)
{
    expectPresence({{"empty", "Empty", true},
                    {"trailing separator, as the windows name it", "Gfx/", true},
                    {"link to a folder", "Linked", true}, {"missing", "Missing", false},
                    {"a file of that name", "Puzzleimages", false}, {"link to nowhere", "help", false}});
}

// Root reads every folder whatever its mode; as root, ctest runs this again
// as nobody (shell_folder_permissions).
TEST(ResourceFolderTest, FolderThatCannotBeListedIsMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions; shell_folder_permissions runs this as nobody";
    expectPresence({{"no permissions at all", "Locked", false},
                    {"enter but not list", "EnterOnly", false},
                    {"list and enter, read only", "ReadOnly", true}});
}

} // namespace

int main(int argc, char **argv)
{
    return runWindowTests(argc, argv);
}

#include "ShellTest.moc"

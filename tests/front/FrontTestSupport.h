#pragma once
// Shared by the front screen tests: an application folder of their own with
// generated pictures, a started front screen, and the thumbnail page read
// back as a short string.

#include "Controls.h"
#include "DriveList.h"
#include "FolderList.h"
#include "FrontScreen.h"
#include "Game.h"
#include "PlayScreen.h"
#include "ScoreBook.h"
#include "Shell.h"
#include "Thumbnails.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace fronttest {

// Picture number n, a plain colour page() reads back; the format follows the
// extension. The number rides in the red channel, ten apart: enough to
// survive JPEG compression and smooth scaling.
inline void writePicture(const QString &path, int number, QSize size = {64, 48})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30 + 10 * number, 120, 200));
    ASSERT_TRUE(image.save(path, path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? "BMP" : "JPEG")) << qPrintable(path);
}

inline void writePictures(const QString &folder, int count, const char *suffix = ".bmp") // "1.bmp" .. "<count>.bmp"
{
    for (int i = 1; QDir().mkpath(folder) && i <= count; ++i)
        writePicture(folder + QStringLiteral("/%1").arg(i) + QLatin1String(suffix), i);
}

inline void writeFile(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << qPrintable(path);
}

struct AppFolderParts {
    int puzzlePictures = 9;
    bool gfx = true, help = true, puzzleImages = true;
};

// An application folder: Gfx with a banner, help, Puzzleimages with pictures.
struct AppFolder : QTemporaryDir {
    explicit AppFolder(const AppFolderParts &parts = {})
    {
        if (parts.gfx)
            writePicture(makeFolder(QStringLiteral("Gfx")) + QStringLiteral("/titleBanner.jpg"), 0);
        if (parts.help)
            makeFolder(QStringLiteral("help"));
        if (parts.puzzleImages)
            writePictures(puzzleImages(), parts.puzzlePictures);
    }
    QString puzzleImages() const { return path() + QStringLiteral("/Puzzleimages"); }
    QString cacheHome = path() + QStringLiteral("/cache"); // XDG_CACHE_HOME while it runs
    QString makeFolder(const QString &relative) const // the full path
    {
        return QDir().mkpath(path() + QLatin1Char('/') + relative), path() + QLatin1Char('/') + relative;
    }
};

// "Title: text" of each message, and the program ends, since the last front screen started.
inline struct Observed {
    QStringList messages;
    int programEnds = 0;
} observed;

// A front screen that has run its start-up in an application folder, with
// the state of a run of its own.
struct Started {
    explicit Started(const AppFolder &folder)
    {
        tilemere::setApplicationFolder(folder.path());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.cacheHome));
        observed = Observed{};
        front = std::make_unique<tilemere::FrontScreen>(game, scores);
        QObject::connect(front.get(), &tilemere::FrontScreen::gameStarted, [this](const QString &path) {
            startedWith = path;
            ++gamesStarted;
        });
        if ((loaded = front->start()))
            front->show();
        listed();
    }
    // Waits until the folder shown has been read; false if it never was.
    bool listed() const
    {
        return QTest::qWaitFor([this] { return !front->listing(); }, 20000);
    }
    tilemere::Game game;
    tilemere::ScoreBook scores;
    std::unique_ptr<tilemere::FrontScreen> front;
    bool loaded = false;  // what start() returned
    QString startedWith;  // the picture of the last game started
    int gamesStarted = 0;
    // After a click that starts a game: waits until its picture has come
    // from the decoding thread (the game starts) or was refused (the front
    // screen is back).
    bool awaitGame()
    {
        const int before = gamesStarted;
        return QTest::qWaitFor([&] { return gamesStarted > before || front->isVisible(); }, 10'000);
    }
    tilemere::FrontScreen *operator->() const { return front.get(); }
    template <typename Control = QWidget> Control *child(const char *name) const
    {
        auto *control = front->findChild<Control *>(QLatin1String(name));
        return control ? control : throw std::runtime_error(std::string("the front screen has no ") + name);
    }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    QWidget *slot(int k) const
    {
        for (auto *slot : front->findChildren<QWidget *>(QStringLiteral("thumbnailSlot")))
            if (slot->property("index").toInt() == k)
                return slot;
        throw std::runtime_error("no such slot");
    }
    QWidget *playControl(const char *name) const // on the play screen
    {
        auto *control = front->playScreen().findChild<QWidget *>(QString::fromLatin1(name));
        return control ? control : throw std::runtime_error(std::string("the play screen has no ") + name);
    }
};

// The nine slots, e.g. "10 11 . . . . . . .": the picture number in each,
// "." when empty, "?" for the broken-picture mark, once every thumbnail of
// the page has come.
inline QString page(const Started &front)
{
    if (!QTest::qWaitFor([&front] { return front->pageComplete(); }, 20000))
        return QStringLiteral("the page never completed");
    QStringList shown;
    for (int k = 0; k < 9; ++k) {
        const QImage image = static_cast<QLabel *>(front.slot(k))->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        shown << (image.isNull() ? QStringLiteral(".")
                  : image == thumbnails::brokenPicture(image.size())
                      ? QStringLiteral("?")
                      : QString::number(qRound((image.pixelColor(image.rect().center()).red() - 30) / 10.0)));
    }
    return shown.join(QLatin1Char(' '));
}

// The player drops the drive list down and picks the volume at index.
inline void pickVolume(DriveList *drives, int index)
{
    drives->showPopup();
    drives->view()->setCurrentIndex(drives->model()->index(index, 0));
    QTest::keyClick(drives->view(), Qt::Key_Return);
}

// The folder list's rows once its subfolders have been read.
inline QStringList listedRows(const FolderList *folders)
{
    EXPECT_TRUE(QTest::qWaitFor([folders] { return !folders->listing(); }, 10000));
    return folders->rowNames();
}

inline void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }

} // namespace fronttest

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList &texts, std::ostream *out) { PrintTo(texts.join(QStringLiteral(" | ")), out); }

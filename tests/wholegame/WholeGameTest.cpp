// One game as a player plays it, through the real windows: start-up on the
// front screen, a 3 x 3 puzzle solved by clicks on the board, the name typed
// into the score entry, the score board, back to the front screen, the
// program closed, and the score found in the store afterwards.
#include "BoardWidget.h"
#include "WindowTestMain.h"
#include "EightPuzzleSolver.h"
#include "Form1.h"
#include "GameState.h"
#include "ScoreTables.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "frmFront.h"
#include "frmScoreInputs.h"
#include "frmScoresBoard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

class SilentSound : public tilemere::SoundOutput {
public:
    void play(const QString &) override {}
    void beep() override {}
};

void writeImage(const QString &path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path)) << path.toStdString();
}

// Gfx, help, index.htm and Puzzleimages holding one picture.
void makeApplicationFolder(const QString &root)
{
    QDir folder(root);
    ASSERT_TRUE(folder.mkpath(QStringLiteral("Gfx")) && folder.mkpath(QStringLiteral("help")) &&
                folder.mkpath(QStringLiteral("Puzzleimages")));
    writeImage(root + QStringLiteral("/Gfx/titleBanner.jpg"), {300, 60}, Qt::darkBlue);
    writeImage(root + QStringLiteral("/Gfx/BW_logo.jpg"), {55, 55}, Qt::blue);
    writeImage(root + QStringLiteral("/Gfx/Volume.bmp"), {28, 28}, Qt::green);
    writeImage(root + QStringLiteral("/Gfx/MuteVolume.bmp"), {28, 28}, Qt::red);
    writeImage(root + QStringLiteral("/Gfx/1.bmp"), {32, 32}, Qt::gray);
    for (const char *file : {"/Gfx/click.wav", "/Gfx/claps.wav", "/index.htm"}) {
        QFile empty(root + QLatin1String(file));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    writeImage(root + QStringLiteral("/Puzzleimages/harbour.bmp"), {240, 240}, QColor(40, 120, 200));
}

using tilemere::testing::boardPosition;
using tilemere::testing::solveThreeByThree;

void clickCell(BoardWidget &board, int cell)
{
    const QSize size = board.surface().size();
    const int width = size.width() / 3;
    const int height = size.height() / 3;
    QTest::mouseClick(&board, Qt::LeftButton, {},
                      QPoint((cell - 1) % 3 * width + width / 2, (cell - 1) / 3 * height + height / 2));
}

// Calls act once with the modal window of type Window as soon as it is up.
template <typename Window> class WhenModal : public QObject {
public:
    explicit WhenModal(std::function<void(Window &)> act) : act_(std::move(act))
    {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (auto *window = qobject_cast<Window *>(QApplication::activeModalWidget())) {
                poll_.stop();
                seen = true;
                act_(*window);
            }
        });
        poll_.start(10);
    }
    bool seen = false;

private:
    std::function<void(Window &)> act_;
    QTimer poll_;
};

QStringList rows(const QWidget &window, const char *list)
{
    QStringList texts;
    const auto *widget = window.findChild<QListWidget *>(QString::fromLatin1(list));
    for (int row = 0; widget && row < widget->count(); ++row)
        texts << widget->item(row)->text();
    return texts;
}

TEST(WholeGameTest, SolvedThreeByThreeIsRecordedShownAndKept)
{
    QTemporaryDir applicationFolder;
    ASSERT_TRUE(applicationFolder.isValid());
    makeApplicationFolder(applicationFolder.path());
    tilemere::setApplicationFolder(applicationFolder.path());
    SilentSound silence;
    tilemere::setSoundOutput(&silence);
    QStringList messages;
    tilemere::setMessageHandler([&messages](const QString &text, const QString &) { messages << text; });
    int programEnds = 0;
    tilemere::setEndProgramHandler([&programEnds] { ++programEnds; });
    // Runs however the test ends, before the locals the handlers point at go.
    struct Restore {
        ~Restore()
        {
            if (Form1::exists())
                delete &Form1::instance();
            tilemere::setSoundOutput(nullptr);
            tilemere::setMessageHandler({});
            tilemere::setEndProgramHandler({});
            tilemere::setApplicationFolder({});
        }
    } restore;

    frmFront front;
    ASSERT_TRUE(front.formLoad());
    front.show();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    QTest::mouseClick(front.opt3x3, Qt::LeftButton);
    ASSERT_EQ(gChosenSize, 3);

    Form1 &play = Form1::instance();
    play.setShuffleSeed(20240611);
    QTest::mouseClick(front.Image1[0], Qt::LeftButton);
    ASSERT_TRUE(play.isVisible());
    ASSERT_FALSE(front.isVisible());
    ASSERT_TRUE(front.chosenPicturePath().endsWith(QStringLiteral("harbour.bmp")));
    ASSERT_EQ(gBoardSide, 3);

    const std::vector<int> clicks = solveThreeByThree(boardPosition());
    ASSERT_FALSE(clicks.empty());
    for (int cell : clicks)
        clickCell(*play.Picture2, cell);
    ASSERT_EQ(boardPosition(), "123456789");
    const QString moves = QString::number(clicks.size());
    ASSERT_EQ(play.lblMoves->text(), moves);

    QString entryMoves;
    QString level;
    QStringList boardTitleAndFirstRow;
    WhenModal<frmScoreInputs> typeName([&](frmScoreInputs &entry) {
        level = entry.findChild<QLabel *>(QStringLiteral("lblLevel"))->text();
        entryMoves = entry.findChild<QLabel *>(QStringLiteral("lblMoves"))->text();
        auto *name = entry.findChild<QLineEdit *>(QStringLiteral("txtPlyrName"));
        QTest::keyClicks(name, QStringLiteral("  Tess  "));
        QTest::keyClick(name, Qt::Key_Return);
    });
    WhenModal<frmScoresBoard> readBoard([&](frmScoresBoard &board) {
        boardTitleAndFirstRow << board.findChild<QLabel *>(QStringLiteral("lblScoreBoard"))->text()
                              << rows(board, "lstName").value(0) << rows(board, "lstTotMoves").value(0)
                              << rows(board, "lstName2").value(0) << rows(board, "lstTime").value(0);
        QTest::mouseClick(board.findChild<QLabel *>(QStringLiteral("lblCloseScores")), Qt::LeftButton);
    });
    // The win animation, tick by tick; the last tick opens the score entry
    // and returns once it and the board have closed.
    for (int tick = 0; tick < 100 && play.lblCongraz->isVisibleTo(&play); ++tick)
        play.Timer1_Timer();

    ASSERT_TRUE(typeName.seen);
    ASSERT_TRUE(readBoard.seen);
    EXPECT_EQ(level, QStringLiteral("3x3"));
    EXPECT_EQ(entryMoves, moves + QStringLiteral(" (First place)"));
    const QString time = QStringLiteral("%1:%2").arg(elapsedSeconds / 60).arg(elapsedSeconds % 60, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(boardTitleAndFirstRow, QStringList({"3x3 Score Board", "Tess", moves, "Tess", time}));
    EXPECT_FALSE(play.isVisible());
    EXPECT_TRUE(front.isVisible());
    EXPECT_TRUE(play.isEnabled());

    front.close();
    EXPECT_EQ(programEnds, 1);
    const std::int16_t seconds = elapsedSeconds;
    gScores = {};
    loadSettings();
    EXPECT_EQ(gScores(1, 1).names[0], "Tess");
    EXPECT_EQ(gScores(1, 1).values[0], static_cast<std::int32_t>(clicks.size()));
    EXPECT_EQ(gScores(2, 1).names[0], "Tess");
    EXPECT_EQ(gScores(2, 1).values[0], seconds);
    EXPECT_EQ(gScores(1, 1).values[1], tilemere::kEmptyScore);
}

} // namespace

int main(int argc, char **argv)
{
    return runWindowTests(argc, argv);
}

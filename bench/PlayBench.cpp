// The play screen's costs: one accepted move with its full board redraw,
// and a new game up to its shuffled board, without animation.
#include "BoardView.h"
#include "Game.h"
#include "PlayScreen.h"
#include "ScoreBook.h"
#include "Shell.h"

#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentSound : public tilemere::SoundOutput {
public:
    void play(const QString &) override {}
    void beep() override {}
};

// Starts a game and waits until its picture has arrived and is shuffled.
void startAndWait(tilemere::PlayScreen &screen, const QString &picture)
{
    QEventLoop loop;
    const auto started = QObject::connect(&screen, &tilemere::PlayScreen::gameStarted, &loop, &QEventLoop::quit);
    const auto refused = QObject::connect(&screen, &tilemere::PlayScreen::leftToFront, &loop, &QEventLoop::quit);
    screen.startGame(picture, false);
    loop.exec();
    QObject::disconnect(started);
    QObject::disconnect(refused);
}

// A play screen with a generated picture, ready for games of the given side.
struct PlayScreenRig {
    QTemporaryDir folder;
    SilentSound sound;
    tilemere::Game game;
    tilemere::ScoreBook scores;
    QString picture = folder.filePath(QStringLiteral("picture.bmp"));
    std::unique_ptr<tilemere::PlayScreen> screen;

    explicit PlayScreenRig(int side)
    {
        tilemere::setApplicationFolder(folder.path());
        tilemere::setSoundOutput(&sound);
        QImage image(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        image.save(picture);
        game.chosenSize = static_cast<std::int16_t>(side);
        game.soundOn = false;
        screen = std::make_unique<tilemere::PlayScreen>(game, scores);
        startAndWait(*screen, picture);
    }
    ~PlayScreenRig()
    {
        screen.reset();
        tilemere::setSoundOutput(nullptr);
        tilemere::setApplicationFolder({});
    }
};

// The tile beside the hole slides back and forth; every click is accepted.
void BM_AcceptedMoveWithRedraw(benchmark::State &state)
{
    PlayScreenRig rig(6);
    const int tile = rig.screen->findChild<tilemere::BoardView *>()->surface().width() / 6;
    for (auto _ : state) {
        const int hole = rig.game.board.holeIndex();
        const int neighbour = hole % 6 == 0 ? hole + 1 : hole - 1;
        rig.screen->onBoardPressed(QPointF((neighbour % 6) * tile + tile / 2, (neighbour / 6) * tile + tile / 2));
    }
}
BENCHMARK(BM_AcceptedMoveWithRedraw)->Unit(benchmark::kMicrosecond);

// One new game per repetition, each from a new seed, its picture decoded on
// a worker; the median is the figure.
void BM_NewGame(benchmark::State &state)
{
    static std::uint32_t seed = 1;
    PlayScreenRig rig(static_cast<int>(state.range(0)));
    rig.screen->setShuffleSeed(seed++);
    for (auto _ : state)
        startAndWait(*rig.screen, rig.picture);
}
BENCHMARK(BM_NewGame)
    ->DenseRange(3, 6)
    ->Iterations(1)
    ->Repetitions(201)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

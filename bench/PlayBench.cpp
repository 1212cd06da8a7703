// The play screen's costs: one accepted move with its full board redraw,
// and a new game's shuffle without animation up to its final redraw.
#include "BoardWidget.h"
#include "Form1.h"
#include "GameState.h"
#include "Shell.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentSound : public tilemere::SoundOutput {
public:
    void play(const QString &) override {}
    void beep() override {}
};

// A play screen with a generated picture on a board of the given side.
struct PlayScreen {
    QTemporaryDir folder;
    SilentSound sound;

    explicit PlayScreen(int side)
    {
        tilemere::setApplicationFolder(folder.path());
        tilemere::setSoundOutput(&sound);
        QImage picture(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        const QString path = folder.filePath(QStringLiteral("picture.bmp"));
        picture.save(path);
        gChosenSize = static_cast<std::int16_t>(side);
        Form1 &form = Form1::instance();
        form.setFrontScreen(nullptr, [path] { return path; }, [] { return false; });
        form.show();
        std::int16_t size = gBoardSide;
        form.createNewGame(size);
        gSoundOn = tilemere::kFalse;
    }
    ~PlayScreen()
    {
        delete &Form1::instance();
        tilemere::setSoundOutput(nullptr);
        tilemere::setApplicationFolder({});
    }
};

int holeCell()
{
    const int hole = gBoardSide * gBoardSide;
    for (int cell = 1; cell <= hole; ++cell)
        if (gBoard(cell) == hole)
            return cell;
    return hole;
}

// The tile beside the hole slides back and forth; every click is accepted.
void BM_AcceptedMoveWithRedraw(benchmark::State &state)
{
    PlayScreen screen(6);
    Form1 &form = Form1::instance();
    const int tile = form.Picture2->surface().width() / 6;
    for (auto _ : state) {
        const int hole = holeCell();
        const int neighbour = (hole - 1) % 6 == 0 ? hole + 1 : hole - 1;
        const QPointF centre(((neighbour - 1) % 6) * tile + tile / 2, ((neighbour - 1) / 6) * tile + tile / 2);
        form.Picture2_MouseDown(Qt::LeftButton, centre);
    }
}
BENCHMARK(BM_AcceptedMoveWithRedraw)->Unit(benchmark::kMicrosecond);

// One shuffle per repetition, each from a new seed; the median is the figure.
void BM_NewGameShuffle(benchmark::State &state)
{
    static std::uint32_t seed = 1;
    PlayScreen screen(static_cast<int>(state.range(0)));
    tilemere::resetBoardToChosenSize();
    Form1::instance().setShuffleSeed(seed++);
    for (auto _ : state)
        Form1::instance().createPuzzle();
}
BENCHMARK(BM_NewGameShuffle)
    ->DenseRange(3, 6)
    ->Iterations(1)
    ->Repetitions(501)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

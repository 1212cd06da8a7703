// Stand-ins until the score windows are written.
#include "frmScoreInputs.h"
#include "frmScoresBoard.h"

frmScoresBoard::frmScoresBoard(QWidget *parent) : QDialog(parent) {}
void frmScoresBoard::initScoreLables(std::int16_t, std::int16_t) {}

frmScoreInputs::frmScoreInputs(QWidget *playScreen, const QString &, const QString &, std::int16_t,
                               std::int16_t, std::int16_t)
    : QDialog(playScreen)
{
}

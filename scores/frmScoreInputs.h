#pragma once
// The window after every win: the result with its places, and the player's
// name. "Ok" records and saves, then shows the score board. Modal; shown
// with exec(); every way of closing enables the play screen again.

#include <QDialog>

#include <cstdint>

class frmScoreInputs : public QDialog {
    Q_OBJECT
public:
    // movesText and timeText are the play screen's counters as shown ("57", "1:23");
    // the ranks are places 1..10, or 11 for a result that does not place.
    frmScoreInputs(QWidget *playScreen, const QString &movesText, const QString &timeText,
                   std::int16_t elapsedSeconds, std::int16_t movesRank, std::int16_t timeRank);
};

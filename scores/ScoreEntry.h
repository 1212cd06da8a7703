#pragma once
// The window after every win: the result with its places, and the player's
// name. "Ok" records and saves, then shows the score board. Modal; shown
// with exec().

#include "Controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <cstdint>

namespace tilemere {

struct ScoreBook;

// A finished game as the play screen showed it.
struct WinResult {
    std::int16_t side = 4;       // board side 3..6
    QString movesText;           // the move counter as shown, "57"
    QString timeText;            // the clock as shown, "1:23"
    std::int16_t seconds = 0;    // the playing time
    std::int16_t movesRank = 11; // places 1..10, or 11 for a result that does not place
    std::int16_t timeRank = 11;
};

// Longest name, in characters as a player counts them.
inline constexpr int kNameLength = 20;

// The name as it will be kept: characters the store's code page cannot hold
// are taken out, at most kNameLength characters.
QString keepableName(const QString &typed);

class ScoreEntry : public QDialog {
    Q_OBJECT
public:
    ScoreEntry(ScoreBook &scores, const WinResult &result);

    // Records the result under the typed name where it placed, saves, and
    // shows the score board. Only the first call records.
    void record();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showResult();

    ScoreBook &scores_;
    WinResult result_;
    bool recorded_ = false;

    QLabel levelCaption_{this};
    QLabel levelLabel_{this};
    QLabel nameCaption_{this};
    QLineEdit nameEdit_{this};
    QLabel timeCaption_{this};
    QLabel timeLabel_{this};
    QLabel movesCaption_{this};
    QLabel movesLabel_{this};
    RoundedRect okShape_{this};
    LinkButton okButton_{this};
    RoundedRect cancelShape_{this};
    LinkButton cancelButton_{this};
};

} // namespace tilemere

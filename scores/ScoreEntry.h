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

// A finished game as the play screen counted it.
struct WinResult {
    std::int16_t side = 4;       // board side 3..6
    std::int16_t moves = 0;      // the moves made, 0..32767
    std::int16_t seconds = 0;    // the playing time
    std::int16_t movesRank = 11; // places 1..10, or 11 for a result that does not place
    std::int16_t timeRank = 11;
};

// Longest name, in characters as a player counts them.
inline constexpr int kNameLength = 20;

// The name as it will be kept: letters the store's code page cannot hold
// turned into their nearest form it holds ("Ş" -> "S"), or left out when
// they have none, at most kNameLength characters.
QString keepableName(const QString &typed);

// A result with its place, as the score entry shows it: "57 (Third place)",
// "1:23 (First place)", or "57 (not placed)" for a rank outside 1..10.
QString resultWithPlace(const QString &result, std::int16_t rank);

class ScoreEntry : public QDialog {
    Q_OBJECT
public:
    // parent: the window it blocks, the play screen. The score board that
    // follows gets it too, so neither can fall behind it.
    ScoreEntry(ScoreBook &scores, const WinResult &result, QWidget *parent = nullptr);

    // Records the result under the typed name where it placed, saves, and
    // shows the score board. Only the first call records.
    void record();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showResult();
    // Keeps the box to what the store can hold as the player types, and says
    // so when letters had to be left out.
    void keepTypedName(const QString &typed);

    ScoreBook &scores_;
    WinResult result_;
    bool recorded_ = false;
    // The name box's words as shown, and which of them are written plain.
    QStringList shownWords_;
    QList<bool> plainWords_;

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

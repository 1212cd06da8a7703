#pragma once
// The window after every win: the result with its places, and the player's
// name. "Ok" records and saves, then shows the score board. Modal; shown
// with exec(); every way of closing enables the play screen again.

#include "Controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <array>
#include <cstdint>

class frmScoreInputs : public QDialog {
    Q_OBJECT
public:
    // movesText and timeText are the play screen's counters as shown ("57", "1:23");
    // the ranks are places 1..10, or 11 for a result that does not place.
    // The play screen (may be null) is disabled until this window closes; it
    // is deliberately not the Qt parent, since a disabled parent would
    // disable this window too.
    frmScoreInputs(QWidget *playScreen, const QString &movesText, const QString &timeText,
                   std::int16_t elapsedSeconds, std::int16_t movesRank, std::int16_t timeRank);
    ~frmScoreInputs() override;

    // Every way of closing ends here.
    void done(int result) override;

public slots:
    void lblOK_Click();
    void lblCancel_Click();

private:
    void formLoad();
    void formUnload();
    void lblOK_MouseMove();
    void lblCancel_MouseMove();
    void formMouseMove();

    QPointer<QWidget> playScreen;
    QString movesCounterText;
    QString clockText;
    std::int16_t playedSeconds;
    std::int16_t movesRank;
    std::int16_t timeRank;
    bool recorded = false;

    QLabel Label5{this};
    QLabel lblLevel{this};
    QLabel Label1{this};
    QLineEdit txtPlyrName{this};
    QLabel Label2{this};
    QLabel lblTimePlayed{this};
    QLabel Label4{this};
    QLabel lblMoves{this};
    std::array<tilemere::RoundedRect, 2> ShpRect{tilemere::RoundedRect{this}, tilemere::RoundedRect{this}};
    tilemere::ClickLabel lblOK{this};
    tilemere::ClickLabel lblCancel{this};
};

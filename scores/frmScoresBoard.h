#pragma once
// The score board: the moves and time tables of the size chosen on the
// front screen, side by side. Modal; shown with exec().

#include "Controls.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

#include <array>
#include <cstdint>

class frmScoresBoard : public QDialog {
    Q_OBJECT
public:
    explicit frmScoresBoard(QWidget *parent = nullptr);

    // Refills the four lists from both tables of board side scoreSize (3..6).
    // scoreMode is accepted for the callers' sake; both tables are always shown.
    void initScoreLables(std::int16_t scoreMode, std::int16_t scoreSize);

public slots:
    void lblClearScores_Click();
    void lblCloseScores_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void formLoad();
    // True when the key was Enter and the window closed.
    bool formKeyPress(const QKeyEvent &event);
    void lblCloseScores_MouseMove();
    void lblClearScores_MouseMove();
    void formMouseMove();

    QFrame Frame1{this};
    QLabel lblScoreBoard{&Frame1};
    QLabel lblBestMoves{&Frame1};
    QLabel lblBestTime{&Frame1};
    QLabel Label1{&Frame1};
    QLabel Label4{&Frame1};
    QLabel Label2{&Frame1};
    QLabel Label3{&Frame1};
    QFrame Line1{&Frame1};
    QFrame Line2{&Frame1};
    QListWidget lstName{&Frame1};
    QListWidget lstTotMoves{&Frame1};
    QListWidget lstName2{&Frame1};
    QListWidget lstTime{&Frame1};
    std::array<tilemere::RoundedRect, 2> ShpRect{tilemere::RoundedRect{this}, tilemere::RoundedRect{this}};
    tilemere::ClickLabel lblCloseScores{this};
    tilemere::ClickLabel lblClearScores{this};
};

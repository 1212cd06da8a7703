#pragma once
// The score board: the moves and time tables of one board size, side by
// side. Modal; shown with exec().

#include "Controls.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace tilemere {

struct ScoreBook;

class ScoreBoard : public QDialog {
    Q_OBJECT
public:
    // Shows both tables of board side 3..6.
    ScoreBoard(ScoreBook &scores, int side, QWidget *parent = nullptr);

public slots:
    // Empties both tables of the size shown and saves.
    void clearScores();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTables();
    // True when the key was Enter and the window closed.
    bool closeOnEnter(const QKeyEvent &event);

    ScoreBook &scores_;
    int side_;

    QFrame tablesFrame_{this};
    QLabel titleLabel_{&tablesFrame_};
    QLabel movesTitle_{&tablesFrame_};
    QLabel timeTitle_{&tablesFrame_};
    QLabel movesNameHeading_{&tablesFrame_};
    QLabel movesHeading_{&tablesFrame_};
    QLabel timeNameHeading_{&tablesFrame_};
    QLabel timeHeading_{&tablesFrame_};
    QFrame movesDivider_{&tablesFrame_};
    QFrame timeDivider_{&tablesFrame_};
    QListWidget movesNames_{&tablesFrame_};
    QListWidget movesList_{&tablesFrame_};
    QListWidget timeNames_{&tablesFrame_};
    QListWidget timeList_{&tablesFrame_};
    RoundedRect closeShape_{this};
    LinkButton closeButton_{this};
    RoundedRect clearShape_{this};
    LinkButton clearButton_{this};
};

} // namespace tilemere

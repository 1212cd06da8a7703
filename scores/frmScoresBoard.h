#pragma once
// The score board: the moves and time tables of the size chosen on the
// front screen, side by side. Modal; shown with exec().

#include <QDialog>

#include <cstdint>

class frmScoresBoard : public QDialog {
    Q_OBJECT
public:
    explicit frmScoresBoard(QWidget *parent = nullptr);

    // Refills the four lists from both tables of board side scoreSize (3..6).
    void initScoreLables(std::int16_t scoreMode, std::int16_t scoreSize);
};

#pragma once
// The board on the play screen. It keeps what was drawn on it in
// an image of its own and paints from that, so the board comes back whole
// after the window has been covered.

#include <QImage>
#include <QWidget>

namespace tilemere {

class Board;

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget *parent);

    // What the board shows, in device pixels with its pixel ratio set, so
    // that it reaches a high-density screen pixel for pixel. After drawing
    // into it, call surfaceChanged().
    QImage &surface() { return surface_; }
    const QImage &surface() const { return surface_; }

    // The board's own background: the colour of the hole and of a cleared board.
    QColor backgroundColour() const;

    // Fills the surface with the background colour, keeping its size.
    void clear();

    // Takes the surface's logical size (rounded up) and schedules a paint.
    void surfaceChanged();

    // The position the board shows, as assistive tools read it cell by cell;
    // it must outlive the view. nullptr: no cells.
    void setBoard(const Board *board);
    const Board *board() const { return board_; }
    // What a screen reader says for the cell at the 0-based index: "tile 7,
    // belongs at row 2, column 3", or "empty" for the hole.
    QString cellName(int index) const;
    // The cell assistive tools follow, 0-based: where the last moved tile
    // landed, or the hole of a new board.
    int focusCell() const { return focusCell_; }
    // Tells assistive tools the whole board changed (a new game or shuffle),
    // with the focus on the hole.
    void announceBoard();
    // Tells them a tile slid from one cell to the other (0-based), the focus
    // following the tile.
    void announceMove(int from, int to);

signals:
    // A press of any button, in board pixels.
    void mousePressed(QPointF position);
    void mouseMoved();
    // The board has been painted (it is on screen).
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void announceFocus();

    QImage surface_;
    const Board *board_ = nullptr;
    int focusCell_ = 0;
};

} // namespace tilemere

#pragma once
// The board on the play screen. It keeps what was drawn on it in
// an image of its own and paints from that, so the board comes back whole
// after the window has been covered.

#include <QImage>
#include <QWidget>

namespace tilemere {

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
    QImage surface_;
};

} // namespace tilemere

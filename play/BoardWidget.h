#pragma once
// The board on the play screen (Picture2). It keeps what was drawn on it in
// an image of its own and paints from that, so the board comes back whole
// after the window has been covered.

#include <QImage>
#include <QWidget>

class BoardWidget : public QWidget {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget *parent);

    // What the board shows. After drawing into it, call surfaceChanged().
    QImage &surface() { return surface_; }
    const QImage &surface() const { return surface_; }

    // The board's own background: the colour of the hole and of a cleared board.
    QColor backgroundColour() const;

    // Fills the surface with the background colour, keeping its size.
    void clear();

    // Takes the surface's size and schedules a paint.
    void surfaceChanged();

signals:
    // Position in board pixels; every button is reported.
    void mousePressed(Qt::MouseButton button, QPointF position);
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage surface_;
};

// The floor the game's start-up is measured against: the least a Qt Widgets
// program can show in a window of the front screen's size, its colour and
// one line of text (so fonts are loaded, as any real window needs).
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brackwater-Tilemere"));
    window.setFixedSize(749, 483);
    window.setStyleSheet(QStringLiteral("background: rgb(19, 49, 85); color: white;"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Brackwater-Tilemere"), &window), 0, Qt::AlignCenter);
    window.show();
    return app.exec();
}

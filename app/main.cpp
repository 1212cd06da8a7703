#include "Shell.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Brackwater-Tilemere"));
    tilemere::setAppTitle(window);
    tilemere::placeForm(window);
    window.show();
    return app.exec();
}

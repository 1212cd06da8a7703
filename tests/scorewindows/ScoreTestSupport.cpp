#include "ScoreTestSupport.h"

#include "frmScoresBoard.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTest>

namespace scorewindowstest {

namespace {
QString &configHome()
{
    static QString folder;
    return folder;
}
} // namespace

void setConfigHome(const QString &folder)
{
    configHome() = folder;
}

void removeStore()
{
    QDir folder(configHome());
    for (const QFileInfo &entry : folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

void fillTable(int scoreMode, int side, std::initializer_list<std::int32_t> values, const std::string &prefix)
{
    auto &table = gScores(scoreMode, side - 2);
    table.values.fill(tilemere::kEmptyScore);
    std::size_t place = 0;
    for (std::int32_t value : values)
        table.values[place++] = value;
    for (std::size_t p = 0; p < table.names.size(); ++p)
        table.names[p] = prefix + std::to_string(p + 1);
}

QStringList listRows(const QWidget &window, const char *objectName)
{
    QStringList rows;
    const auto *list = window.findChild<QListWidget *>(QString::fromLatin1(objectName));
    if (!list)
        return {QStringLiteral("<no list %1>").arg(QString::fromLatin1(objectName))};
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    return rows;
}

QStringList repeated(const QString &text)
{
    QStringList rows;
    for (int place = 0; place < tilemere::kPlaces; ++place)
        rows << text;
    return rows;
}

void clickChild(QWidget &window, const char *objectName)
{
    auto *child = window.findChild<QWidget *>(QString::fromLatin1(objectName));
    if (child)
        QTest::mouseClick(child, Qt::LeftButton);
}

BoardCloser::BoardCloser()
{
    poll_.setInterval(10);
    connect(&poll_, &QTimer::timeout, this, &BoardCloser::closeBoardIfShown);
    poll_.start();
}

void BoardCloser::closeBoardIfShown()
{
    auto *board = qobject_cast<frmScoresBoard *>(QApplication::activeModalWidget());
    if (!board)
        return;
    poll_.stop();
    seen = true;
    if (const auto *label = board->findChild<QLabel *>(QStringLiteral("lblScoreBoard")))
        title = label->text();
    moveNames = listRows(*board, "lstName");
    moves = listRows(*board, "lstTotMoves");
    timeNames = listRows(*board, "lstName2");
    times = listRows(*board, "lstTime");
    clickChild(*board, "lblCloseScores");
}

} // namespace scorewindowstest

#include "Shell.h"

#include "SoundPlayer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWidget>

namespace tilemere {

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

std::function<void()> &endProgramHandler()
{
    static std::function<void()> handler;
    return handler;
}

std::function<void(const QString &, const QString &)> &messageHandler()
{
    static std::function<void(const QString &, const QString &)> handler;
    return handler;
}

} // namespace

QString applicationFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setApplicationFolder(const QString &folder)
{
    folderOverride() = folder;
}

void setAppTitle(QWidget &window)
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    // The icon is the application's, which every window follows even when
    // it is set after the window is shown.
    window.setWindowTitle(QCoreApplication::applicationName());
}

void placeForm(QWidget &window)
{
    if (window.isMinimized())
        return;
    window.setFixedSize(kMainClientWidth, kMainClientHeight);
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize screenSize = screen->size();
    window.move(qRound(screenSize.width() / 30.0), qRound(screenSize.height() / 15.0));
}

void keepInPlace(QWidget &window)
{
    struct PlaceKeeper : QObject {
        using QObject::QObject;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto &window = static_cast<QWidget &>(*watched);
            if (event->type() == QEvent::Resize ||
                (event->type() == QEvent::WindowStateChange && !window.isMinimized()))
                placeForm(window);
            return false;
        }
    };
    window.installEventFilter(new PlaceKeeper(&window));
    placeForm(window);
}

void playSound(const QString &fileName)
{
    SoundPlayer::instance().play(applicationFolder() + QStringLiteral("/Gfx/") + fileName);
}

void openHelp()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(applicationFolder() + QStringLiteral("/index.htm")));
}

void openWebSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSite)));
}

bool resourceFolderPresent(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir() || !info.isExecutable() || !info.isReadable())
        return false;
    // Listing must work; "." and ".." make even an empty folder list something.
    QDir dir(path);
    return dir.exists() && dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System).size() > 0;
}

QWidget *windowToBlock()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip))
            return window;
    return nullptr;
}

void showMessage(QWidget *owner, const QString &text, const QString &title)
{
    if (messageHandler()) {
        messageHandler()(text, title);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    // Messages carry file names and paths handed from outside; as rich text
    // "<img src=/dev/zero>" in one would have Qt read that file.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void setMessageHandler(std::function<void(const QString &, const QString &)> handler)
{
    messageHandler() = std::move(handler);
}

void endProgram()
{
    if (endProgramHandler()) {
        endProgramHandler()();
        return;
    }
    QCoreApplication::exit(0);
}

void setEndProgramHandler(std::function<void()> handler)
{
    endProgramHandler() = std::move(handler);
}

void setSoundOutput(SoundOutput *output)
{
    SoundPlayer::instance().setOutput(output);
}

} // namespace tilemere

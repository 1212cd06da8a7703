#pragma once
// The front screen: the picture browser with its paged thumbnails, the board
// size and Animate Shuffle options, and the links to help, the web site and
// the high scores. The program starts with it and ends when it closes; while
// a game is played it is hidden, with everything as the player left it.

#include "PictureFileList.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <future>
#include <memory>

class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QRadioButton;
class QTimer;

class DriveList;
class FolderList;

namespace tilemere {

class ClickLabel;
class DesktopHandoff;
class PictureBrowser;
class LinkButton;
class PlayScreen;
class ThumbnailFocus;
class RoundedRect;
struct Game;
struct ScoreBook;

class FrontScreen : public QWidget {
    Q_OBJECT
public:
    FrontScreen(Game &game, ScoreBook &scores);
    ~FrontScreen() override;

    // Start-up: title, store, place, colours, the resource folders, the first
    // page of pictures, 4x4. False when the program must end at once because
    // the Gfx folder is missing; the player has been told and nothing was saved.
    bool start();

    // The picture list of the folder shown; empty while it is being read.
    const PictureFileList &pictures() const;

    // The play screen, built on first use.
    PlayScreen &playScreen();

    // A path the desktop handed over ("Open With", a command-line argument,
    // a file:// address): a folder opens in the browser; an offered picture
    // opens its folder on its page and starts a game with it at the chosen
    // size. Anything else is explained in a message, and the front screen
    // stays as it is. Call after start(). The path is looked at off the
    // window's thread: this returns at once.
    void openFromDesktop(const QString &path);

    // True once the folder shown has been read and every thumbnail of the
    // page shown is in its slot. They come after the window is first drawn,
    // one by one as they are decoded.
    bool pageComplete() const;
    // True while the folder shown, or a path the desktop handed over, is
    // being read.
    bool listing() const;

signals:
    // A game has started on the play screen with the picture at this path.
    void gameStarted(const QString &picturePath);
    // The window's first frame is on the screen: what it does not need can
    // be done now.
    void firstFrameShown();

public slots:
    // Starts a game with the picture in the slot 0..8 of the page shown.
    void startGame(int slot);
    void showNextPage();
    void showPreviousPage();
    // Board side 3..6.
    void chooseSize(int side);
    void showScoreBoard();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Building the window (FrontScreen.cpp).
    void createControls();
    void createOptions();
    void placeControls();
    void applyColours();
    void connectSignals();
    void highlight(LinkButton &link);
    void resetLinks();

    void createBrowser();
    void openDrive();
    void openFolder();
    bool showFolder(const QString &folder);

    // Keys (FrontScreenInput.cpp).
    void setUpKeyboard();
    bool chooseSizeByKey(const QKeyEvent &event);
    bool filterKeys(QObject *watched, QEvent *event);

    Game &game_;
    ScoreBook &scores_;
    std::unique_ptr<PlayScreen> playScreen_;
    std::future<QImage> banner_; // decoding while the window is built
    bool helpPresent_ = true;
    PictureBrowser *browser_ = nullptr;
    DesktopHandoff *handoff_ = nullptr;

    QFrame *thumbnailPanel_;
    QFrame *browserPanel_;
    QFrame *sizePanel_;
    std::array<ClickLabel *, 9> thumbnailSlots_;
    QLabel *pageLabel_;
    QLabel *noPicturesLabel_;
    QLabel *sizeCaption_;
    std::array<QRadioButton *, 4> sizeOptions_; // 3x3 .. 6x6
    QCheckBox *animateCheck_;
    DriveList *driveList_;
    FolderList *folderList_;
    ClickLabel *bannerLink_;
    QLabel *versionLabel_;
    QLabel *folderCaption_;
    LinkButton *helpLink_;
    LinkButton *scoresButton_;
    LinkButton *previousButton_;
    LinkButton *nextButton_;
    std::array<RoundedRect *, 3> buttonShapes_;
    ThumbnailFocus *thumbnailFocus_ = nullptr;
};

} // namespace tilemere

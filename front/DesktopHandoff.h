#pragma once
// The pictures and folders the desktop hands the front screen: "Open With",
// the command line, a second start, and drops. What is at a handed path is
// found out off the window's thread, and a picture is started once its
// folder has been read, so a slow disk never holds the window up.

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>

class QDragEnterEvent;
class QDropEvent;
class QWidget;

namespace tilemere {

class PictureBrowser;

class DesktopHandoff : public QObject {
    Q_OBJECT
public:
    // window: the front screen, parent of the messages. openFolder shows a
    // folder in the folder list (and so in the browser), false when the list
    // could not open it; startGame starts a
    // game with the picture in a slot 0..8 of the page shown.
    DesktopHandoff(QWidget &window, PictureBrowser &browser, std::function<bool(const QString &)> openFolder,
                   std::function<void(int)> startGame);
    ~DesktopHandoff() override;

    // A path or a file:// address: a folder opens in the browser; an offered
    // picture opens its folder on its page and starts a game with it at the
    // chosen size. Anything else is explained in a message.
    void open(const QString &handed);

    // Drops of a local file or folder are taken; what they hold is looked
    // at once dropped, and anything but a folder or a picture is ignored.
    void enterDrag(QDragEnterEvent &event);
    void drop(QDropEvent &event);

    // A handed path is being looked at, or its picture waits for its folder.
    bool busy() const { return looking_ > 0 || !waitingPicture_.isEmpty(); }

private:
    enum class Handed { Folder, Picture, Missing, Unreadable, NotAPicture };
    static Handed whatIsAt(const QString &path);
    void lookAt(const QString &path, bool quiet);
    void take(const QString &path, Handed what, bool quiet);
    void startWaitingPicture(const QString &folder);

    QWidget &window_;
    PictureBrowser &browser_;
    std::function<bool(const QString &)> openFolder_;
    std::function<void(int)> startGame_;
    QString waitingPicture_; // started once its folder is read
    int looking_ = 0;        // paths handed and not yet looked at
    QThreadPool lookers_; // last: its threads end before what they use
};

} // namespace tilemere

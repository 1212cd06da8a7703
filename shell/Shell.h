#pragma once
// Services every window shares: the title, the fixed window placement,
// sounds, the help page and the web site, and the resource folders that lie
// beside the program.

#include <QColor>
#include <QString>

#include <functional>

class QImage;
class QWidget;

namespace tilemere {

inline constexpr const char *kAppTitle = "Brackwater-Tilemere";
inline constexpr const char *kWebSite = "https://example.org/tilemere";

// Client size of the front and play screens, 11235 x 7245 twips.
inline constexpr int kMainClientWidth = 749;
inline constexpr int kMainClientHeight = 483;

// Colours the windows share.
inline const QColor kWindowBlue(19, 49, 85);
inline const QColor kPanelBlue(26, 83, 136);
inline const QColor kButtonBlue(47, 119, 206);
inline const QColor kHighlightOrange(255, 169, 83);
inline const QColor kLavender(218, 214, 235);
inline const QColor kWhite(255, 255, 255);
inline const QColor kGreyedText(128, 128, 128); // text of a disabled control

// The folder holding the program file. Tests may point it elsewhere.
QString applicationFolder();
void setApplicationFolder(const QString &folder);

// Sets the application title and makes it the window's caption and icon.
void setAppTitle(QWidget &window);

// Fixes the window's client size at 749 x 483 and puts it near the top left
// corner: left = screen width / 30, top = screen height / 15. A minimised
// window is left alone.
void placeForm(QWidget &window);
// Places the window now, and again after every resize and every restore from
// minimised: with the size fixed, no resize comes on restore, so a window the
// player moved and then minimised would otherwise come back where it was moved.
void keepInPlace(QWidget &window);

// Plays a sound from the Gfx folder in the background, cutting off the one
// playing. A missing or unplayable file gives the desktop's default beep.
void playSound(const QString &fileName);

// Opens index.htm beside the program, or the maker's web site, with the
// desktop's browser. Failures are ignored.
void openHelp();
void openWebSite();

// A picture of the game's own artwork in the Gfx folder (gfxName like
// "BW_logo.jpg"), sharp on the screen: on one of pixel ratio above 1 its
// double-size drawing ("BW_logo@2x.jpg") with ratio 2 set, when there is one;
// otherwise the plain file. A null image when neither can be read.
QImage loadArtwork(const QString &gfxName, double devicePixelRatio);
// The same from the Gfx folder given ("<application folder>/Gfx/"): safe on
// any thread, where the application folder cannot be asked for.
QImage loadArtwork(const QString &gfxFolder, const QString &gfxName, double devicePixelRatio);

// A resource folder counts as present when it exists and can be listed.
bool resourceFolderPresent(const QString &path);

// The window a message must stay in front of: the dialog waiting for an
// answer, else the active window, else any window shown; nullptr before the
// first window shows. A compositor that raises the clicked window keeps a
// message in front only of the window that is its parent.
QWidget *windowToBlock();

// A plain message box: the text, an OK button, no icon. Returns when closed.
void showMessage(QWidget *owner, const QString &text, const QString &title);
// Tests see the messages here instead of in a box; an empty handler restores the box.
void setMessageHandler(std::function<void(const QString &text, const QString &title)> handler);

// Ends the program at once. Tests replace what that means.
void endProgram();
void setEndProgramHandler(std::function<void()> handler);

// Where sounds go. Tests install their own to see what would be played.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString &path) = 0;
    virtual void beep() = 0;
};
// nullptr restores the real output.
void setSoundOutput(SoundOutput *output);

} // namespace tilemere

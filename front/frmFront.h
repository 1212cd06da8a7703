#pragma once
// The front screen: the picture browser with its paged thumbnails, the board
// size and Animate Shuffle options, and the links to help, the web site and
// the high scores. The program starts with it and ends when it closes; while
// a game is played it is hidden, with everything as the player left it.

#include "PictureFileList.h"

#include <QWidget>

#include <array>

class DriveList;
class Form1;
class FolderList;
class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
namespace tilemere {
class ClickLabel;
class RoundedRect;
} // namespace tilemere

class frmFront : public QWidget {
    Q_OBJECT
public:
    explicit frmFront(QWidget *parent = nullptr);
    ~frmFront() override;

    // Start-up: title, store, place, colours, the resource folders, the first
    // page of pictures, 4x4. False when the program must end at once because
    // the Gfx folder is missing; the player has been told and nothing was saved.
    bool formLoad();

    // The picture the new game is cut from: File1's folder and entry gSelectedPicture.
    QString chosenPicturePath() const;

    // Controls, named (and objectNamed) as in the layout.
    QFrame *Frame1;
    QFrame *Frame2;
    QFrame *Frame3;
    std::array<tilemere::ClickLabel *, 9> Image1;
    QLabel *lblPageNo;
    QLabel *lblNoPicsAva;
    QLabel *lblSelPuzzLevl;
    QRadioButton *opt3x3;
    QRadioButton *opt4x4;
    QRadioButton *opt5x5;
    QRadioButton *opt6x6;
    QCheckBox *chkAnimShuffle;
    DriveList *Drive1;
    FolderList *Dir1;
    PictureFileList File1;
    tilemere::ClickLabel *Image2;
    QLabel *lblVerNo;
    QLabel *lblSelPicFolder;
    tilemere::ClickLabel *lblHelp;
    tilemere::ClickLabel *lblScore;
    tilemere::ClickLabel *lblPrevious;
    tilemere::ClickLabel *lblNext;
    std::array<tilemere::RoundedRect *, 3> ShpRect;

public slots:
    // The browser (FrontBrowser.cpp).
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_KeyPress(int KeyAscii);
    void showThumbnailPage();
    void showPageNumber();
    void lblNext_Click();
    void lblPrevious_Click();
    void Image1_Click(int Index);

    // The options.
    void opt3x3_Click();
    void opt4x4_Click();
    void opt5x5_Click();
    void opt6x6_Click();

    // The links.
    void lblHelp_Click();
    void Image2_Click();
    void lblScore_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createOptions();
    void placeControls();
    void applyColours();
    void connectEvents();

    // Link highlighting: one link on, or all four off.
    void highlight(tilemere::ClickLabel &link);
    void resetLinks();

    // The play screen, told where to come back to and how to shuffle.
    Form1 &playScreen();
};

#include "GameState.h"
#include "frmScoreInputs.h"
#include "frmScoresBoard.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

// Every control lies wholly inside its container, so none is cut off or
// hidden under the border.
void expectControlsInside(const QWidget &window)
{
    QList<const QWidget *> containers{&window};
    if (const auto *frame = window.findChild<QWidget *>(QStringLiteral("Frame1")))
        containers << frame;
    for (const QWidget *container : containers) {
        const auto controls = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        ASSERT_FALSE(controls.isEmpty());
        for (const QWidget *control : controls)
            EXPECT_TRUE(container->rect().contains(control->geometry()))
                << qPrintable(control->objectName()) << " in " << qPrintable(container->objectName());
    }
}

// A button's label sits on its rounded rectangle.
void expectOnShape(const QWidget &window, const char *label, const char *shape)
{
    const auto *caption = window.findChild<QLabel *>(QString::fromLatin1(label));
    const auto *back = window.findChild<QWidget *>(QString::fromLatin1(shape));
    ASSERT_TRUE(caption && back);
    EXPECT_TRUE(back->geometry().contains(caption->geometry())) << label;
}

TEST(ScoreWindowsLayoutTest, ScoreBoardControlsFitTheWindow)
{
    gChosenSize = 4;
    frmScoresBoard board;
    expectControlsInside(board);
    expectOnShape(board, "lblCloseScores", "ShpRect0");
    expectOnShape(board, "lblClearScores", "ShpRect1");
}

TEST(ScoreWindowsLayoutTest, ScoreEntryControlsFitTheWindow)
{
    frmScoreInputs entry(nullptr, QStringLiteral("32767"), QStringLiteral("546:07"), 32767, 11, 11);
    expectControlsInside(entry);
    expectOnShape(entry, "lblOK", "ShpRect0");
    expectOnShape(entry, "lblCancel", "ShpRect1");
}

} // namespace

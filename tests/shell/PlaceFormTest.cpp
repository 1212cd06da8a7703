// The front and play screens sit at one fixed size near the top left corner
// of the screen; a minimised window is left as it is.
#include "Shell.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Left is a thirtieth of the screen width, top a fifteenth of its height;
// the pixel may be rounded either way.
void expectFixedPlace(const QWidget &window)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(window.size(), QSize(749, 483));
    EXPECT_LT(std::abs(window.x() - screen.width() / 30.0), 1.0) << window.x();
    EXPECT_LT(std::abs(window.y() - screen.height() / 15.0), 1.0) << window.y();
}

class PlaceFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(300, 250, 420, 300);
        window.show();
    }
    QWidget window;
};

TEST_F(PlaceFormTest, WindowGoesToItsFixedSizeAndPlace)
{
    tilemere::placeForm(window);
    expectFixedPlace(window);
}

TEST_F(PlaceFormTest, LaterResizingCannotChangeTheSize)
{
    tilemere::placeForm(window);
    window.resize(900, 700);
    EXPECT_EQ(window.size(), QSize(749, 483));
    window.resize(200, 100);
    EXPECT_EQ(window.size(), QSize(749, 483));
}

TEST_F(PlaceFormTest, MinimisedWindowIsLeftAloneUntilRestored)
{
    const QRect before = window.geometry();
    window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(window.isMinimized());

    tilemere::placeForm(window);
    EXPECT_EQ(window.geometry(), before);
    EXPECT_TRUE(window.isMinimized());

    window.setWindowState(Qt::WindowNoState);
    tilemere::placeForm(window);
    expectFixedPlace(window);
}

} // namespace

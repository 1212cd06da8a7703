// The front screen as a screen reader meets it: buttons and links announced
// as buttons with their texts, the options by role, the drive list with its
// caption, and the folder list by name with a row for each folder.
#include "FrontTestSupport.h"

#include <QAccessible>
#include <QLabel>

using namespace fronttest;

namespace {

QAccessibleInterface *described(QWidget *control)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    return face ? face : throw std::runtime_error("nothing describes " + control->objectName().toStdString());
}

} // namespace

TEST(FrontAccessibility, EveryControlIsAnnouncedByRoleAndName)
{
    AppFolder folder;
    folder.makeFolder(QStringLiteral("Puzzleimages/3D pictures"));
    Started front(folder);
    for (const auto &[name, text] : {std::pair{"scoresButton", "High Scores"}, {"previousButton", "Previous"},
                                     {"nextButton", "Next"}, {"helpLink", "Help"}}) {
        QAccessibleInterface *button = described(front.child(name));
        EXPECT_EQ(button->role(), QAccessible::Button) << name;
        EXPECT_EQ(button->text(QAccessible::Name), QLatin1String(text)) << name;
        ASSERT_NE(button->actionInterface(), nullptr) << name;
        EXPECT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
    EXPECT_EQ(described(front.child("animateCheck"))->role(), QAccessible::CheckBox);
    EXPECT_EQ(described(front.child("sizeOption4"))->role(), QAccessible::RadioButton);
    EXPECT_EQ(described(front.child("sizeOption4"))->text(QAccessible::Name), QStringLiteral("4x4"));
    EXPECT_EQ(described(front.child("bannerLink"))->text(QAccessible::Name), QStringLiteral("Brackwater-Tilemere"));

    // The drive list is read out with the caption above it.
    QAccessibleInterface *drives = described(front.child("driveList"));
    EXPECT_EQ(drives->role(), QAccessible::ComboBox);
    const auto labels = drives->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->text(QAccessible::Name), QStringLiteral("Select the location of your picture(s)"));

    auto *folderList = front.child<FolderList>("folderList");
    const QStringList rows = listedRows(folderList);
    QAccessibleInterface *tree = described(folderList);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    EXPECT_EQ(tree->text(QAccessible::Name), QStringLiteral("Folders"));
    ASSERT_NE(tree->tableInterface(), nullptr);
    ASSERT_EQ(tree->tableInterface()->rowCount(), rows.size());
    EXPECT_EQ(tree->tableInterface()->columnDescription(0), QStringLiteral("Folders"));
    QStringList heard;
    for (int r = 0; r < rows.size(); ++r)
        heard << tree->tableInterface()->cellAt(r, 0)->text(QAccessible::Name);
    EXPECT_EQ(heard, rows);
    EXPECT_EQ(heard.last(), QStringLiteral("3D pictures"));
}

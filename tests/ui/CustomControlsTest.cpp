#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <limits>

#include "app/FontSetting.h"
#include "ui/C_DialogTabCtrl.h"
#include "ui/C_EditCtrl.h"
#include "ui/C_Static.h"
#include "ui/QtFontSetting.h"
#include "ui/models/ColorRef.h"

namespace {
struct TabFixture : ::testing::Test {
    TabFixture() {
        tab.resize(400, 300);
        for (int i = 0; i < 3; ++i) {
            pages[i] = new QWidget;
            tab.InsertItem(i, QStringLiteral("Page %1").arg(i), pages[i]);
        }
        tab.show();
    }
    C_DialogTabCtrl tab{1001};
    QWidget* pages[3] = {};
};
}  // namespace

TEST_F(TabFixture, PagesFollowTheirTabsAndAnIndexPastTheEndAppends) {
    auto* late = new QWidget;
    EXPECT_EQ(tab.InsertItem(99, QStringLiteral("Late"), late), 1);
    EXPECT_EQ(tab.ItemCount(), 4);
    EXPECT_EQ(tab.Page(3), late);
    auto* early = new QWidget;
    tab.InsertItem(1, QStringLiteral("Early"), early);
    EXPECT_EQ(tab.Page(1), early);
    EXPECT_EQ(tab.Page(2), pages[1]);
    EXPECT_EQ(tab.Page(5), nullptr);
    EXPECT_EQ(tab.Page(-1), nullptr);
    EXPECT_FALSE(late->isVisible());   // inserted pages start hidden
}

TEST_F(TabFixture, UserChangeIsReportedAndProgramChangeIsNot) {
    QSignalSpy spy(&tab, &C_DialogTabCtrl::PageChanged);
    EXPECT_EQ(tab.SelectPage(0), 0);
    EXPECT_TRUE(pages[0]->isVisible());
    EXPECT_EQ(tab.SelectPage(2), 0);
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    // Selecting the selected tab again shows its page and says nothing.
    pages[2]->hide();
    EXPECT_EQ(tab.SelectPage(2), 2);
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_EQ(spy.count(), 0);

    QTabBar* bar = tab.TabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1001);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 1);
    EXPECT_EQ(tab.CurSel(), 1);
    EXPECT_TRUE(pages[1]->isVisible());
    EXPECT_FALSE(pages[2]->isVisible());
    EXPECT_GT(pages[1]->y(), 0);   // below the tabs
}

TEST_F(TabFixture, DeletingTheSelectedTabLeavesNoPageUntilAnotherIsChosen) {
    tab.SelectPage(1);
    ASSERT_TRUE(tab.DeleteItem(1));
    EXPECT_EQ(tab.CurrentPage(), nullptr);
    EXPECT_FALSE(pages[1]->isVisible());
    EXPECT_EQ(tab.Page(1), pages[2]);
    EXPECT_NE(pages[1]->parent(), nullptr);   // the page itself lives on
    tab.SelectPage(0);
    EXPECT_TRUE(pages[0]->isVisible());
    tab.DeleteAllItems();
    EXPECT_EQ(tab.ItemCount(), 0);
    EXPECT_EQ(tab.Page(0), nullptr);
    EXPECT_FALSE(pages[0]->isVisible());
}

TEST(ColourControls, ColoursApplyOnlyWithABackground) {
    QLabel plain;
    C_Static label;
    EXPECT_EQ(label.palette(), plain.palette());
    label.SetTextColor(ColorRef::Make(255, 0, 0));
    EXPECT_EQ(label.palette(), plain.palette());   // no background yet: style colours
    label.SetBackgroundColor(ColorRef::kWhite);
    label.SetBackgroundColor(ColorRef::Make(0, 0, 255));
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(label.autoFillBackground());

    C_EditCtrl edit;
    EXPECT_EQ(edit.TextColor(), ColorRef::kBlack);
    edit.SetBackgroundColor(ColorRef::kBlack);
    edit.SetTextColor(65280);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(0, 255, 0));
}

TEST(ColourControls, BottomAlignedBoxKeepsItsLineAtTheBottomWhenResized) {
    C_EditCtrl box;
    box.resize(200, 80);
    box.show();
    box.setPlainText(QStringLiteral("NAME.NCD"));
    box.AlignTextBottom();
    const int lowMargin = box.viewport()->geometry().top();
    EXPECT_GT(lowMargin, 0);
    box.resize(200, 120);
    EXPECT_EQ(box.viewport()->geometry().top(), lowMargin + 40);
}

TEST(WindowFonts, HandEditedHeightsGiveASizeTheWindowCanShow) {
    const struct {
        int stored;
        int pixels;
    } cases[] = {{-20, 20}, {12, 12}, {-100000, 500}, {std::numeric_limits<int>::min(), 500},
                 {std::numeric_limits<int>::max(), 500}};
    for (const auto& c : cases) {
        FontSetting setting;
        setting.Height = c.stored;
        EXPECT_EQ(QtFontSetting::ToFont(setting).pixelSize(), c.pixels) << c.stored;
    }
}

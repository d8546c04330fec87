#include "ui/models/MultiLanguageListModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Model = MultiLanguageListModel;

MultiLanguageArray Table(const std::vector<std::vector<std::string>>& rows) {
    MultiLanguageArray table;
    for (const auto& texts : rows) {
        tMULTI_LANGUAGE row;
        for (std::size_t k = 0; k < texts.size() && k < 6; ++k) row.str[k] = texts[k];
        table.Add(row);
    }
    return table;
}

std::vector<std::string> Column(const Model& model, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < model.LineCount(); ++row) cells.push_back(model.Cell(row, column));
    return cells;
}

class MultiLanguageListModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.Fill(Table({{"OK", "확인"},
                          {"Port failed to open.", "포트 열기 실패"},
                          {"port", ""},
                          {"apply", "", "", "", "", "button"}}));
    }
    Model model;
};

TEST_F(MultiLanguageListModelTest, FillShowsNumberIndexAndSlots) {
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(model.Cell(0, 3), "확인");
    EXPECT_EQ(model.Cell(3, 7), "button");
    EXPECT_FALSE(model.Modified());
}

TEST_F(MultiLanguageListModelTest, EditingAppliesTheEqualsRuleAndIgnoresUnchangedText) {
    EXPECT_FALSE(model.ApplyEdit(1, 2, "  Port failed to open. ", "Port failed to open."));
    EXPECT_FALSE(model.Modified());

    EXPECT_FALSE(model.ApplyEdit(2, 4, "=", ""));       // the cell above holds the same text
    EXPECT_FALSE(model.Modified());
    EXPECT_TRUE(model.ApplyEdit(2, 2, " = ", "port"));
    EXPECT_EQ(model.Cell(2, 2), "Port failed to open.");
    EXPECT_TRUE(model.Modified());
    EXPECT_TRUE(model.ApplyEdit(0, 2, "=", "OK"));      // the first line has nothing above it
    EXPECT_EQ(model.Cell(0, 2), "=");
    EXPECT_EQ(model.LastWritten(), "=");
}

TEST_F(MultiLanguageListModelTest, OnlyAWholeUnusedNumberInRangeBecomesAnIndex) {
    // Four lines, largest other index 3: 0 to 7 are allowed, unused ones only.
    for (const char* bad : {"1", "=", "-1", "x", "2.5", "8", "99999999", "1e9", ""}) {
        EXPECT_FALSE(model.ApplyEdit(2, 1, bad, "2")) << bad;
        EXPECT_EQ(model.Cell(2, 1), "2") << bad;
    }
    EXPECT_TRUE(model.ApplyEdit(2, 1, " 007 ", "2"));
    EXPECT_EQ(model.Cell(2, 1), "7");
    MultiLanguageArray table;
    ASSERT_TRUE(model.Rebuild(table));
    ASSERT_EQ(table.GetCount(), 8u);
    EXPECT_EQ(table[7].str[0], "port");
    EXPECT_EQ(table[2].str[0], "");
}

TEST_F(MultiLanguageListModelTest, EditableCellsAndTabLimits) {
    EXPECT_TRUE(model.CanStartEdit(0, 2));
    EXPECT_FALSE(model.CanStartEdit(0, 3));   // Korean and Remarks while ADD is hidden
    EXPECT_FALSE(model.CanStartEdit(0, 7));
    EXPECT_TRUE(model.CanStartEdit(0, 6));
    EXPECT_FALSE(model.CanStartEdit(0, 1));
    EXPECT_FALSE(model.CanStartEdit(-1, 2));
    EXPECT_FALSE(model.CanStartEdit(4, 2));
    model.SetAddVisible(true);
    EXPECT_TRUE(model.CanStartEdit(0, 3));
    EXPECT_TRUE(model.CanStartEdit(0, 7));

    EXPECT_EQ(Model::TabTarget(2, false), 3);   // into Korean all the same
    EXPECT_EQ(Model::TabTarget(5, false), std::nullopt);
    EXPECT_EQ(Model::TabTarget(6, false), 7);
    EXPECT_EQ(Model::TabTarget(7, false), std::nullopt);
    EXPECT_EQ(Model::TabTarget(2, true), 1);    // onto the Index column
    EXPECT_EQ(Model::TabTarget(1, true), std::nullopt);
}

TEST_F(MultiLanguageListModelTest, SortingFlipsOnEveryClickAndRenumbers) {
    EXPECT_FALSE(model.SortBy(0));
    EXPECT_FALSE(model.SortBy(7));
    EXPECT_TRUE(model.SortBy(2));   // first click: ascending, case ignored
    EXPECT_EQ(Column(model, 2), (std::vector<std::string>{"apply", "OK", "port", "Port failed to open."}));
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(model.SortBy(1));   // any further click reverses
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"3", "2", "1", "0"}));
    EXPECT_TRUE(model.SortBy(1));
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_FALSE(model.Modified());
}

TEST_F(MultiLanguageListModelTest, OkAfterASortWritesEachLineAtItsIndex) {
    model.SortBy(2);
    model.SortBy(2);
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"1", "2", "0", "3"}));
    ASSERT_TRUE(model.ApplyEdit(1, 4, "中文", ""));   // line 1 is now "port" (index 2)
    MultiLanguageArray table;
    ASSERT_TRUE(model.Rebuild(table));
    ASSERT_EQ(table.GetCount(), 4u);
    EXPECT_EQ(table[0].str[0], "OK");
    EXPECT_EQ(table[1].str[1], "포트 열기 실패");
    EXPECT_EQ(table[2].str[0], "port");
    EXPECT_EQ(table[2].str[2], "中文");
    EXPECT_EQ(table[3].str[5], "button");

    Model untouched;
    untouched.Fill(table);
    MultiLanguageArray kept = table;
    EXPECT_FALSE(untouched.Rebuild(kept));   // nothing modified: no rebuild, no file
}

TEST_F(MultiLanguageListModelTest, FindWithAndWithoutCaseAndContainment) {
    struct Case {
        const char* text;
        bool caseSensitive;
        bool contains;
        int row;
        int column;
    };
    const Case cases[] = {
        {"port", false, true, 1, 2},       // both sides upper-cased, containment
        {"port", false, false, 2, 2},      // the whole cell, any case
        {"port", true, true, 2, 2},
        {"Port", true, false, -1, -1},
        {"2", false, false, 2, 1},         // the Index column is searched
        {"button", false, true, -1, -1},   // Remarks is not
        {"포트", false, true, 1, 3},
    };
    for (const Case& c : cases) {
        const bool found = model.FindFirst({c.text, c.caseSensitive, c.contains});
        EXPECT_EQ(found, c.row >= 0) << c.text;
        if (found) {
            EXPECT_EQ(model.FoundRow(), c.row) << c.text;
            EXPECT_EQ(model.FoundColumn(), c.column) << c.text;
        }
    }

    // Find Next goes on after the match, then starts again from the top.
    ASSERT_TRUE(model.FindFirst({"PORT", false, true}));
    EXPECT_EQ(model.FoundRow(), 1);
    ASSERT_TRUE(model.FindNext());
    EXPECT_EQ(model.FoundRow(), 2);
    EXPECT_FALSE(model.FindNext());
    ASSERT_TRUE(model.FindNext());
    EXPECT_EQ(model.FoundRow(), 1);
}

TEST_F(MultiLanguageListModelTest, AddDeleteAndReset) {
    model.Fill(Table({{"a"}, {"b"}, {"c"}}));
    ASSERT_TRUE(model.ApplyEdit(1, 1, "5", "1"));   // indices 0, 5, 2
    EXPECT_EQ(model.Add(), 3);
    EXPECT_EQ(model.Cell(3, 1), "1");              // the smallest unused from 1
    EXPECT_EQ(model.Cell(3, 0), "4");
    EXPECT_EQ(model.Add(), 4);
    EXPECT_EQ(model.Cell(4, 1), "3");

    EXPECT_EQ(model.Delete({4, 0}, 4), 2);         // past the end: the last line
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(model, 2), (std::vector<std::string>{"b", "c", ""}));
    EXPECT_EQ(model.Delete({0, 1, 2}, 0), -1);

    Model fresh;
    fresh.Reset(Table({{"x"}}));
    EXPECT_TRUE(fresh.Modified());
    EXPECT_EQ(fresh.LineCount(), 1);
}

}  // namespace

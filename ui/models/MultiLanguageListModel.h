#pragma once
// The rules of the string list editor, without Qt: the grid of the text
// table (one line per row: "No.", "Index", the five languages and the
// remarks), editing a cell with its "=" shorthand, sorting, the search, the
// hidden ADD and DELETE, and the table that OK rebuilds from the grid.
// CMultiLanguageListDlg shows this model.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "lang/MultiLanguageArray.h"

class MultiLanguageListModel {
public:
    static constexpr int kNoColumn = 0;
    static constexpr int kIndexColumn = 1;
    static constexpr int kFirstSlotColumn = 2;   // English; slot k shows in column k + 2
    static constexpr int kKoreanColumn = 3;
    static constexpr int kRemarksColumn = 7;
    static constexpr int kColumnCount = 8;
    // The search looks at Index, English, Korean, Chinese and Japanese.
    static constexpr int kLastSearchedColumn = 5;

    using Line = std::array<std::string, kColumnCount>;

    struct ColumnInfo {
        const char* Title;
        int Width;       // pixels
        bool Centered;
    };
    static const std::array<ColumnInfo, kColumnCount>& Columns();

    struct FindSettings {
        std::string Text;
        bool CaseSensitive = false;
        bool Contains = true;
    };

    // The grid from the table: line i shows i + 1, i and the six slots.
    void Fill(const MultiLanguageArray& table);

    int LineCount() const { return static_cast<int>(lines_.size()); }
    const Line& LineAt(int row) const { return lines_[static_cast<std::size_t>(row)]; }
    const std::string& Cell(int row, int column) const { return LineAt(row)[static_cast<std::size_t>(column)]; }

    bool Modified() const { return modified_; }
    // ADD and DELETE are hidden; while they are, the Korean and Remarks
    // columns are not opened by a double click.
    bool AddVisible() const { return addVisible_; }
    void SetAddVisible(bool visible) { addVisible_ = visible; }

    // Whether a double click on the cell opens the in-place editor.
    bool CanStartEdit(int row, int column) const;
    // Where TAB (or Shift with TAB) moves the editor from `column`; none
    // where the key stops (Japanese for TAB, Index for Shift with TAB, and
    // the Remarks column, which has nothing after it).
    static std::optional<int> TabTarget(int column, bool shift);

    // Closes the editor on a cell and applies `typed`: white space trimmed;
    // "=" below the first line takes the text of the cell above; text equal
    // to `original` (the cell's text when editing began) changes nothing.
    // The Index column takes only a whole number that no other line uses,
    // from 0 up to the largest other index plus the line count; anything
    // else keeps the old text. True when the cell changed.
    bool ApplyEdit(int row, int column, const std::string& typed, const std::string& original);
    const std::string& LastWritten() const { return lastWritten_; }

    // A click on a header: columns 1 to 6 of a non-empty grid flip the
    // direction and sort (ascending after an odd number of clicks), then
    // column 0 is numbered again from the top. True when the click counted.
    bool SortBy(int column);

    // Find First: takes the settings and searches from the top. Find Next:
    // searches on from the last match; without one, the next search starts
    // from the top again. True when a cell matched (FoundRow/FoundColumn).
    bool FindFirst(const FindSettings& settings);
    bool FindNext();
    const FindSettings& Find() const { return find_; }
    int FoundRow() const { return findRow_; }
    int FoundColumn() const { return findColumn_; }

    // Reset: the grid from the built-in table, marked modified.
    void Reset(const MultiLanguageArray& defaults);

    // ADD: a new line with the smallest unused index from 1 (or the largest
    // plus one); returns its row.
    int Add();
    // DELETE: removes the lines; returns the row to select afterwards
    // (`currentRow`, or the last line when that is past the end; -1 when the
    // grid is empty).
    int Delete(std::vector<int> rows, int currentRow);

    // OK: when something was modified, the table is rebuilt with as many
    // rows as the largest index plus one; each line fills the row of its
    // index, rows that no line holds stay empty. False (table untouched)
    // when nothing was modified.
    bool Rebuild(MultiLanguageArray& table) const;

    // Whole number from a cell of the Index column; none for anything else.
    static std::optional<int> ParseIndex(const std::string& text);

private:
    bool Search();
    void Renumber();
    int LargestIndex(int exceptRow) const;

    std::vector<Line> lines_;
    bool modified_ = false;
    bool addVisible_ = false;
    bool ascending_ = false;   // the direction flag: flipped by every header click
    std::string lastWritten_;
    FindSettings find_;
    int findRow_ = 0;
    int findColumn_ = 0;
};

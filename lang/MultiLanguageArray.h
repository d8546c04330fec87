#pragma once
// One row of the text table and the table itself. The member names follow the
// generated header SetDefaultMultiLanguageStr.h, which is compiled as the body of
// CKOVAApp::SetDefaultMultiLanguageStr and must keep building after an export.

#include <cstddef>
#include <string>
#include <vector>

// Columns of a row: English, Korean, Chinese, Japanese, Language_5, Remarks.
inline constexpr int kLanguageSlots = 6;

struct tMULTI_LANGUAGE {
    std::string str[kLanguageSlots];
};

class MultiLanguageArray {
public:
    void RemoveAll() { rows_.clear(); }
    void Add(const tMULTI_LANGUAGE& row) { rows_.push_back(row); }
    std::size_t GetCount() const { return rows_.size(); }
    const tMULTI_LANGUAGE& operator[](std::size_t index) const { return rows_[index]; }
    tMULTI_LANGUAGE& operator[](std::size_t index) { return rows_[index]; }

private:
    std::vector<tMULTI_LANGUAGE> rows_;
};

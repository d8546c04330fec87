// The two program listing parsers (UNIVERSAL "NAMES", TDK/VC5 "LO") and the
// step count field they share, on arbitrary machine text.
//
// Rules checked: every entry has a non-empty, trimmed name that lies on one
// line of the text; the step count agrees with a plain decimal reading; and
// a UNIVERSAL listing cut short yields a leading part of the whole listing's
// entries (an unfinished last line is never taken).

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "lists/ListingText.h"
#include "lists/TdkVc5ListingParser.h"
#include "lists/UniversalListingParser.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void CheckEntries(const McProgramEntryList& list, std::string_view text, std::size_t markSize) {
    FUZZ_CHECK(list.size() <= text.size() / markSize);
    for (const McProgramEntry& entry : list) {
        FUZZ_CHECK(!entry.Name.empty());
        FUZZ_CHECK(!IsSpace(entry.Name.front()) && !IsSpace(entry.Name.back()));
        FUZZ_CHECK(entry.Name.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(text.find(entry.Name) != std::string_view::npos);
    }
}

// The value a field of digits should give, read independently of StepsValue.
int32_t ReferenceSteps(std::string_view field) {
    field = ListingText::Trim(field);
    bool negative = false;
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty() || field.front() == '+' || field.front() == '-') return 0;
    std::string digits(field);
    if (negative) digits.insert(digits.begin(), '-');
    int32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    const McProgramEntryList universal = UniversalListingParser::Parse(text);
    CheckEntries(universal, text, UniversalListingParser::kEntryMark.size());
    const McProgramEntryList tdk = TdkVc5ListingParser::Parse(text);
    CheckEntries(tdk, text, TdkVc5ListingParser::kNameMark.size());

    // A listing that has arrived only in part.
    if (size > 0) {
        std::string_view part = text.substr(0, data[0] % (size + 1));
        const McProgramEntryList early = UniversalListingParser::Parse(part);
        FUZZ_CHECK(early.size() <= universal.size());
        for (std::size_t i = 0; i < early.size(); ++i) FUZZ_CHECK(early[i] == universal[i]);
        CheckEntries(TdkVc5ListingParser::Parse(part), part, TdkVc5ListingParser::kNameMark.size());
    }

    // The step count field alone.
    std::string_view field = text.substr(0, 24);
    FUZZ_CHECK(ListingText::StepsValue(field) == ReferenceSteps(field));
    return 0;
}

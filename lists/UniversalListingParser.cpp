#include "lists/UniversalListingParser.h"

#include "lists/ListingText.h"

McProgramEntryList UniversalListingParser::Parse(std::string_view text) {
    McProgramEntryList list;
    std::size_t from = 0;
    for (;;) {
        std::size_t mark = text.find(kEntryMark, from);
        if (mark == std::string_view::npos) break;
        std::size_t lineEnd = ListingText::LineEnd(text, mark + kEntryMark.size());
        // The last line has not arrived whole: nothing more to take.
        if (lineEnd == std::string_view::npos) break;
        from = lineEnd;
        if (lineEnd < mark + kNameOffset) continue;   // fields cut short
        std::string_view name =
            ListingText::Trim(text.substr(mark + kNameOffset, lineEnd - (mark + kNameOffset)));
        if (name.empty()) continue;
        McProgramEntry entry;
        entry.Name = std::string(name);
        entry.Steps = ListingText::StepsValue(text.substr(mark + kEntryMark.size(), kStepsWidth));
        list.push_back(std::move(entry));
    }
    return list;
}

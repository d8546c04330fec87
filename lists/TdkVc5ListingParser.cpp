#include "lists/TdkVc5ListingParser.h"

#include "lists/ListingText.h"

McProgramEntryList TdkVc5ListingParser::Parse(std::string_view text) {
    constexpr std::size_t npos = std::string_view::npos;
    McProgramEntryList list;
    std::size_t from = 0;
    for (;;) {
        std::size_t mark = text.find(kNameMark, from);
        if (mark == npos) break;
        std::size_t nameStart = mark + kNameMark.size();
        std::size_t lineEnd = ListingText::LineEnd(text, nameStart);
        if (lineEnd == npos) lineEnd = text.size();

        std::size_t step = text.find(kStepMark, nameStart);
        if (step == npos) break;
        if (step + kStepMark.size() > lineEnd) {   // cut short: its line has no step count
            from = lineEnd;
            continue;
        }
        std::size_t stepsStart = step + kStepMark.size();
        std::size_t date = text.find(kDateMark, stepsStart);
        if (date == npos) break;
        if (date + kDateMark.size() > lineEnd) {
            from = lineEnd;
            continue;
        }
        from = stepsStart;

        std::string_view name = ListingText::Trim(text.substr(nameStart, step - nameStart));
        if (name.empty()) continue;
        McProgramEntry entry;
        entry.Name = std::string(name);
        entry.Steps = ListingText::StepsValue(text.substr(stepsStart, date - stepsStart));
        list.push_back(std::move(entry));
    }
    return list;
}

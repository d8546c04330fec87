#include "setup/DesktopEntry.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// The string-value escape of desktop entries: only '\' here, since the
// installer writes no control characters.
std::string EscapeValue(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string UnescapeValue(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default: out += text[i]; break;
        }
    }
    return out;
}

std::string Trim(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t\r") - start + 1);
}

// The first argument of an unescaped Exec value, with quotes and "%%" undone.
std::string FirstArgument(const std::string& exec)
{
    std::string arg;
    std::size_t i = exec.find_first_not_of(' ');
    if (i == std::string::npos) {
        return {};
    }
    if (exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) {
                ++i;
            }
            arg += exec[i];
        }
        if (i == exec.size()) {
            return {};   // no closing quote
        }
    } else {
        for (; i < exec.size() && exec[i] != ' '; ++i) {
            arg += exec[i];
        }
    }
    std::string out;
    for (std::size_t k = 0; k < arg.size(); ++k) {
        out += arg[k];
        if (arg[k] == '%' && k + 1 < arg.size() && arg[k + 1] == '%') {
            ++k;
        }
    }
    return out;
}

}  // namespace

std::string DesktopEntry::ExecValue(const std::string& program)
{
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    quoted += '"';
    return EscapeValue(quoted);
}

std::string DesktopEntry::Text(const std::string& program, const std::string& folder, bool hidden)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=KOVA\n"
                       "Comment=MERIDO Terminal\n"
                       "Exec=" + ExecValue(program) + "\n"
                       "Path=" + EscapeValue(folder) + "\n";
    if (hidden) {
        text += "Hidden=true\n";
    }
    return text;
}

bool DesktopEntry::Read(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    Parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    return true;
}

void DesktopEntry::Parse(const std::string& text)
{
    execProgram_.clear();
    hidden_ = false;
    std::istringstream lines(text);
    std::string line;
    bool inMainGroup = false;
    bool hiddenKey = false;
    bool switchedOff = false;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = (line == "[Desktop Entry]");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos) {
            continue;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (key == "Exec") {
            execProgram_ = FirstArgument(UnescapeValue(value));
        } else if (key == "Hidden") {
            hiddenKey = (value == "true");
        } else if (key == "X-GNOME-Autostart-enabled") {
            switchedOff = (value == "false");
        }
    }
    hidden_ = hiddenKey || switchedOff;
}

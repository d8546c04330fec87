#pragma once
// The desktop entries the installer writes (the shortcut "KOVA.desktop" and
// the auto start entry) and the little it reads back from one: the program
// its Exec key starts and whether it is switched off.
//
// Writing follows the desktop entry rules: the program is one quoted Exec
// argument ('"', '`', '$' and '\' escaped inside the quotes, '%' doubled),
// and the value as a whole escapes '\' once more.

#include <string>

class DesktopEntry {
public:
    // The entry text: Type=Application, Name=KOVA, Comment=MERIDO Terminal,
    // Exec with the quoted program, Path=`folder`, and Hidden=true when `hidden`.
    static std::string Text(const std::string& program, const std::string& folder, bool hidden = false);
    // The Exec value that starts `program` with no arguments.
    static std::string ExecValue(const std::string& program);

    // Reads the [Desktop Entry] group of `file`; false when it cannot be read.
    bool Read(const std::string& file);
    // Parses entry text (what Read does after loading the file).
    void Parse(const std::string& text);

    // The program the Exec key starts (its first argument, unquoted); "" when
    // there is no Exec key or its quoting is broken.
    const std::string& ExecProgram() const { return execProgram_; }
    // Hidden=true, or switched off the way desktops do it
    // (X-GNOME-Autostart-enabled=false).
    bool IsHidden() const { return hidden_; }

private:
    std::string execProgram_;
    bool hidden_ = false;
};

#pragma once
// The rules of the ZID file name conversion, without Qt: the files of a work
// folder next to the names that its "PAT.DIR" gives them, the remark of each
// conversion, and the button states. The dialog (CZidFileNameConvertDlg) and
// `kova-cli zid` both run on it.
//
// File names are compared and shown in upper case, as the machine writes
// them, but every file is opened, copied and renamed under its real name:
// the folder lies on a case-sensitive file system. A conversion never
// replaces an existing file.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lang/Msg.h"
#include "ui/models/PatDirReader.h"

class ZidConversionModel {
public:
    using TextOf = std::function<std::string(Msg)>;
    // Position (1 to range) of the line being converted; 0 at the end.
    using Progress = std::function<void(int position, int range)>;

    enum class ConvertType { Rename = 0, Copy = 1 };

    struct Entry {
        std::string RealName;        // as the folder holds it
        std::string Name;            // upper case, for comparing and showing
        bool Identified = false;     // some record of "PAT.DIR" names this file
        std::string IdentifiedName;  // the name that record gives it
        bool UsableTarget = false;   // the identified name may become a file name
        std::uintmax_t Size = 0;
        std::optional<Msg> Remark;   // set by the last conversion of the line
    };

    struct Column {
        Msg Title;
        int Width;   // pixels
    };

    explicit ZidConversionModel(PatDirReader::Decoder decoder = {});

    // The list's five columns: NO, current name, identified name, size, remarks.
    static const std::vector<Column>& Columns();

    const std::string& WorkFolder() const { return workFolder_; }
    void SetWorkFolder(const std::string& folder) { workFolder_ = folder; }
    // Refresh is offered only for a work folder.
    bool RefreshEnabled() const { return !workFolder_.empty(); }

    // A folder the user chose: true when it differs from the work folder and
    // became it (the caller loads the list again). An empty choice changes
    // nothing.
    bool ChangeFolder(const std::string& chosen);

    // Lists the work folder's files (folders skipped) and gives each file
    // that "PAT.DIR" names its identified name. False when the folder cannot
    // be read (the list is then empty). Nothing happens without a work folder.
    bool Load();

    const std::vector<Entry>& Entries() const { return entries_; }
    // How many records of "PAT.DIR" named a file of the folder.
    int IdentifiedCount() const { return identifiedCount_; }

    ConvertType Type() const { return type_; }
    void SetType(ConvertType type) { type_ = type; }
    // Captions of the two convert buttons for the current type.
    Msg ConvertAllCaption() const;
    Msg ConvertSelectedCaption() const;

    bool ConvertAllEnabled() const { return identifiedCount_ > 0; }
    bool ConvertSelectedEnabled(const std::vector<int>& selected) const;

    // Converts every line (all) or the given lines, in list order; lines
    // without an identified name are skipped. Each converted line gets its
    // remark. Returns how many conversions failed. The list is not read
    // again: the old names stay with their remarks until the next Load.
    int ConvertAll(const Progress& progress = {});
    int ConvertSelected(const std::vector<int>& selected, const Progress& progress = {});

    // The text of an entry's remark, empty when it has none.
    static std::string RemarkText(const Entry& entry, const TextOf& text);

    // ASCII letters to upper case; other bytes (UTF-8 sequences among them) stay.
    static std::string UpperName(std::string name);

private:
    int Convert(const std::vector<int>& lines, const Progress& progress);
    bool ConvertOne(const Entry& entry) const;

    PatDirReader::Decoder decoder_;
    std::string workFolder_;
    ConvertType type_ = ConvertType::Rename;
    std::vector<Entry> entries_;
    int identifiedCount_ = 0;
};

#include "ui/models/ZidConversionModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Whether the path names anything at all, a dangling link included.
bool Occupied(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

ZidConversionModel::ZidConversionModel(PatDirReader::Decoder decoder) : decoder_(std::move(decoder)) {}

const std::vector<ZidConversionModel::Column>& ZidConversionModel::Columns() {
    static const std::vector<Column> columns = {
        {Msg::ColumnNo, 40},
        {Msg::CurrentFileName, 200},
        {Msg::IdentifiedFileNameInPatDir, 200},
        {Msg::ColumnSize, 80},
        {Msg::ColumnRemarks, 150},
    };
    return columns;
}

std::string ZidConversionModel::UpperName(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

bool ZidConversionModel::ChangeFolder(const std::string& chosen) {
    // Folders are compared exactly: on this file system "zid" and "ZID" are
    // two folders.
    if (chosen.empty() || chosen == workFolder_) return false;
    workFolder_ = chosen;
    return true;
}

bool ZidConversionModel::Load() {
    if (workFolder_.empty()) return true;
    entries_.clear();
    identifiedCount_ = 0;

    std::error_code ec;
    fs::directory_iterator it(fs::path(workFolder_), ec);
    if (ec) return false;
    for (const fs::directory_entry& item : it) {
        std::error_code statError;
        if (!item.is_regular_file(statError)) continue;
        Entry entry;
        entry.RealName = item.path().filename().string();
        bool ok = true;
        entry.Name = UpperName(PatDirReader::DecodeName(entry.RealName, decoder_, ok));
        const std::uintmax_t size = item.file_size(statError);
        entry.Size = statError ? 0 : size;
        entries_.push_back(std::move(entry));
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.Name != b.Name ? a.Name < b.Name : a.RealName < b.RealName;
    });

    const std::string dirName(PatDirReader::kFileName);
    const auto dir = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Name == dirName; });
    if (dir == entries_.end()) return true;
    const std::vector<PatDirRecord> records = PatDirReader::Read(fs::path(workFolder_) / dir->RealName, decoder_);
    for (const PatDirRecord& record : records) {
        const std::string wanted = UpperName(record.FileName);
        const auto match = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Name == wanted; });
        if (match == entries_.end()) continue;
        // A second record for the same file names it again: the last one wins.
        match->Identified = true;
        match->IdentifiedName = record.IdentifiedName;
        match->UsableTarget = record.UsableTarget;
        ++identifiedCount_;
    }
    return true;
}

Msg ZidConversionModel::ConvertAllCaption() const {
    return type_ == ConvertType::Rename ? Msg::RenameAllFiles : Msg::CreateCopyAllFiles;
}

Msg ZidConversionModel::ConvertSelectedCaption() const {
    return type_ == ConvertType::Rename ? Msg::RenameSelectedFiles : Msg::CreateCopySelectedFiles;
}

bool ZidConversionModel::ConvertSelectedEnabled(const std::vector<int>& selected) const {
    return std::any_of(selected.begin(), selected.end(), [this](int line) {
        return line >= 0 && line < static_cast<int>(entries_.size()) && entries_[static_cast<std::size_t>(line)].Identified;
    });
}

int ZidConversionModel::ConvertAll(const Progress& progress) {
    std::vector<int> lines(entries_.size());
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = static_cast<int>(i);
    return Convert(lines, progress);
}

int ZidConversionModel::ConvertSelected(const std::vector<int>& selected, const Progress& progress) {
    std::vector<int> lines;
    for (int line : selected) {
        if (line >= 0 && line < static_cast<int>(entries_.size())) lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return Convert(lines, progress);
}

int ZidConversionModel::Convert(const std::vector<int>& lines, const Progress& progress) {
    if (lines.empty()) return 0;
    const int range = static_cast<int>(lines.size());
    int failed = 0;
    for (int i = 0; i < range; ++i) {
        if (progress) progress(i + 1, range);
        Entry& entry = entries_[static_cast<std::size_t>(lines[static_cast<std::size_t>(i)])];
        if (!entry.Identified) continue;
        const bool ok = ConvertOne(entry);
        if (!ok) ++failed;
        if (type_ == ConvertType::Copy) {
            entry.Remark = ok ? Msg::CreateCopy : Msg::FailedFileCreate;
        } else {
            entry.Remark = ok ? Msg::Rename : Msg::FailedToRename;
        }
    }
    if (progress) progress(0, range);
    return failed;
}

bool ZidConversionModel::ConvertOne(const Entry& entry) const {
    // A name from the directory file never leaves the work folder.
    if (!entry.UsableTarget) return false;
    const fs::path folder(workFolder_);
    const fs::path source = folder / entry.RealName;
    const fs::path target = folder / entry.IdentifiedName;
    // Neither way replaces a file: a rename here would do so silently.
    if (Occupied(target)) return false;
    std::error_code ec;
    if (type_ == ConvertType::Copy) {
        if (!fs::copy_file(source, target, fs::copy_options::none, ec)) {
            // Leave no half-written copy behind (a file that was there first is not ours).
            if (ec && ec != std::errc::file_exists && Occupied(target)) {
                std::error_code removeError;
                fs::remove(target, removeError);
            }
            return false;
        }
        return true;
    }
    fs::rename(source, target, ec);
    return !ec;
}

std::string ZidConversionModel::RemarkText(const Entry& entry, const TextOf& text) {
    return entry.Remark ? text(*entry.Remark) : std::string();
}

#include "ui/models/TransferFolderModel.h"

#include <filesystem>
#include <system_error>

#include "app/PathRules.h"

namespace {
std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}
}  // namespace

TransferFolderModel::TransferFolderModel(ChannelConfig& channel, SaveChannel save)
    : channel_(channel), save_(std::move(save)) {}

void TransferFolderModel::Reset() {
    filePattern_ = kDefaultFilePattern;
    pathPattern_ = JoinPath(channel_.NcdFileFolder, filePattern_);
}

std::string TransferFolderModel::CurrentFolder() const { return FolderOfPath(pathPattern_); }

bool TransferFolderModel::DiffersFromChannel() const {
    // Folders on this system differ by case, so the comparison keeps it.
    return CleanFolderText(CurrentFolder()) != CleanFolderText(channel_.NcdFileFolder);
}

std::string TransferFolderModel::PathForText(const std::string& text) const {
    std::string path = Trimmed(text);
    std::error_code error;
    if (!path.empty() && std::filesystem::is_directory(path, error)) {
        return JoinPath(CleanFolderText(path), filePattern_);
    }
    // A pattern without a folder ("*.NCD") means the channel's folder, never the
    // program's working folder: the list, what OK hands back and what "Change
    // folder of channel" saves must all name the same folder.
    if (path.empty()) return JoinPath(channel_.NcdFileFolder, filePattern_);
    if (FolderOfPath(path).empty()) return JoinPath(channel_.NcdFileFolder, path);
    return path;
}

bool TransferFolderModel::ApplyPathEdit(const std::string& text) {
    std::string path = PathForText(text);
    if (path == pathPattern_) return false;
    pathPattern_ = path;
    return true;
}

void TransferFolderModel::Refresh(const std::string& text) { pathPattern_ = PathForText(text); }

bool TransferFolderModel::FolderChosen(const std::string& folder) {
    std::string cleaned = CleanFolderText(folder);
    if (cleaned.empty() || cleaned == CleanFolderText(CurrentFolder())) return false;
    pathPattern_ = JoinPath(cleaned, filePattern_);
    return true;
}

std::string TransferFolderModel::FileOpenDone(const std::string& chosenPath) {
    std::string folder;
    std::string file;
    SplitPath(chosenPath, folder, file);
    if (!file.empty() && !folder.empty() && CleanFolderText(folder) != CleanFolderText(CurrentFolder())) {
        pathPattern_ = JoinPath(CleanFolderText(folder), filePattern_);
    }
    return file;
}

void TransferFolderModel::ChangeFolderOfChannel() {
    channel_.NcdFileFolder = CleanFolderText(CurrentFolder());
    save_(channel_);
}

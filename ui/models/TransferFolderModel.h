#pragma once
// The folder part of a transfer dialog, without Qt: the path edit (a folder
// and a file pattern), the folder browser's and the file-open dialog's
// answers, and "Change folder of channel". Each call says whether the folder
// or pattern changed, so that the dialog's model reads its list again.

#include <functional>
#include <string>

#include "app/ChannelConfig.h"

class TransferFolderModel {
public:
    using SaveChannel = std::function<int(const ChannelConfig& channel)>;

    static constexpr const char* kDefaultFilePattern = "*.*";

    // `channel` (the current channel) must outlive the model.
    TransferFolderModel(ChannelConfig& channel, SaveChannel save);

    // The channel's folder with the file pattern "*.*".
    void Reset();

    const std::string& PathPattern() const { return pathPattern_; }
    const std::string& FilePattern() const { return filePattern_; }
    // The folder the list shows: the folder part of the path.
    std::string CurrentFolder() const;
    // Whether the shown folder is another than the channel's.
    bool DiffersFromChannel() const;

    // The path edit lost the focus holding `text`; true when the path
    // changed. A text naming a folder stands for that folder's files.
    bool ApplyPathEdit(const std::string& text);
    // Refresh: takes the text as the path, changed or not.
    void Refresh(const std::string& text);
    // The folder browser's answer (empty: cancelled); true when it changed the folder.
    bool FolderChosen(const std::string& folder);
    // The file-open dialog's answer (a full path, empty when none): the
    // folder moves to the chosen file's folder. Returns the file's name.
    std::string FileOpenDone(const std::string& chosenPath);
    // Makes the shown folder the channel's folder and saves the channel.
    void ChangeFolderOfChannel();

private:
    std::string PathForText(const std::string& text) const;

    ChannelConfig& channel_;
    SaveChannel save_;
    std::string pathPattern_;
    std::string filePattern_ = kDefaultFilePattern;
};

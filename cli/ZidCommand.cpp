// kova-cli zid: the file name conversion of a work folder by its "PAT.DIR",
// as the ZID dialog's "Convert all" does.

#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "lang/LanguageFileDecoder.h"
#include "ui/models/ZidConversionModel.h"

namespace {

// A field of the output line: control bytes would break the line or the
// columns, so they are written as escapes.
std::string PrintableField(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int RunZid(CliContext& context, CliArgs args) {
    bool copy = false;
    std::string folder;
    bool folderGiven = false;
    bool namesOnly = false;
    for (const std::string& arg : args) {
        if (!namesOnly && arg == "--") {
            namesOnly = true;
        } else if (!namesOnly && arg == "--copy") {
            copy = true;
        } else if (!namesOnly && arg.size() > 1 && arg[0] == '-') {
            return CliUsageError(context, "unknown option \"" + arg + "\"");
        } else if (folderGiven) {
            return CliUsageError(context, "zid takes one folder");
        } else {
            folder = arg;
            folderGiven = true;
        }
    }
    if (!folderGiven) folder = context.App.CurrentChannel.NcdFileFolder;
    if (folder.empty()) {
        return CliFailure(context, "no folder given and the current channel has no NCD folder");
    }

    ZidConversionModel model(LanguageFileDecoder());
    model.SetWorkFolder(folder);
    model.SetType(copy ? ZidConversionModel::ConvertType::Copy : ZidConversionModel::ConvertType::Rename);
    if (!model.Load()) {
        return CliFailure(context, "cannot read the folder \"" + folder + "\"");
    }
    // "Convert all" is offered only when PAT.DIR names a file of the folder.
    const bool nothingNamed = !model.ConvertAllEnabled();
    const int failed = nothingNamed ? 0 : model.ConvertAll();

    const auto text = [&context](Msg row) { return context.App.GetMultiLanguageStr(MsgRow(row)); };
    for (const ZidConversionModel::Entry& entry : model.Entries()) {
        context.Out << PrintableField(entry.RealName) << '\t'
                    << PrintableField(entry.Identified ? entry.IdentifiedName : std::string()) << '\t'
                    << PrintableField(ZidConversionModel::RemarkText(entry, text)) << '\n';
    }
    context.Out << std::flush;
    if (nothingNamed) {
        return CliFailure(context, "no file of \"" + folder + "\" is named in PAT.DIR");
    }
    return failed > 0 ? kExitFailed : kExitOk;
}

}  // namespace

void AddZidCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"zid", "[--copy] [FOLDER]", RunZid});
}

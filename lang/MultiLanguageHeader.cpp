#include "lang/MultiLanguageHeader.h"

#include "lang/FileReplacer.h"

namespace {

void AppendLiteral(std::string& out, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\t': out.append("\\t"); break;
        case '\r': out.append("\\r"); break;
        case '\n': out.append("\\n"); break;
        default: out.push_back(c); break;
        }
    }
}

}  // namespace

std::string MultiLanguageHeader::Format(const MultiLanguageArray& table)
{
    std::string out;
    out.append("int CKOVAApp::SetDefaultMultiLanguageStr()\r\n{\r\n");
    out.append("    _arMultiLanguage.RemoveAll();\r\n\n");
    out.append("\ttMULTI_LANGUAGE tMultiLanguage;\r\n\n");
    for (std::size_t i = 0; i < table.GetCount(); ++i) {
        for (int k = 0; k < kLanguageSlots; ++k) {
            out.append("\ttMultiLanguage.str[");
            out.append(std::to_string(k));
            out.append("]=\"");
            AppendLiteral(out, table[i].str[k]);
            out.append("\";\r\n");
        }
        out.append("\t_arMultiLanguage.Add(tMultiLanguage);\t// ");
        out.append(std::to_string(i));
        out.append("\r\n\n");
    }
    out.append("    return (int)_arMultiLanguage.GetCount();");
    out.append("}\r\n");
    return out;
}

int MultiLanguageHeader::Export(const std::filesystem::path& folder,
                                const MultiLanguageArray& table)
{
    if (folder.empty()) {
        return 0;
    }
    return FileReplacer::Write(folder / kFileName, Format(table));
}

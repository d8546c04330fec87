#pragma once
// The application object: the text table, the settings of sections "COMMON" and
// "FONT", the current channel, the PC port record and the selection lists. It is
// plain C++; the front ends (the Qt window, the console) hand it a settings store
// and the few platform services it needs.

#include <string>

#include "lang/MultiLanguageArray.h"

class CKOVAApp {
public:
    // ---- text table -------------------------------------------------------
    // Text of row `index` in the current language, English when that column
    // is empty, empty beyond the end of the table.
    std::string GetMultiLanguageStr(int index) const;
    // Fills the built-in default table; returns its row count (277).
    int SetDefaultMultiLanguageStr();
    // Reads the language file into the table; 0 means the file was not used.
    int LoadMultiLanguageFile();
    // 1 when the language file was written, 0 otherwise (the old file stays whole).
    int SaveMultiLanguageFile();
    // Writes SetDefaultMultiLanguageStr.h into the current folder; 1 or 0.
    int ExportMultiLanguageHeader();

    MultiLanguageArray _arMultiLanguage;
    int _nLanguage = 0;
    std::string LanguageFilePath;   // full path of KOVA_M1002.TXT
};

#pragma once
// The installer's own texts, one name per row of its two-language list
// (SetupTextList). The terminal's text table is a different thing.

enum class SetupText {
    Caption,
    InstallProgram,        // button 1008
    UninstallProgram,      // button 1009
    InstallDriver,         // button 1007
    UninstallDriver,       // button 1000
    SetAutoStart,          // button 1005
    ResetAutoStart,        // button 1006
    Exit,                  // button 2
    ProductName,           // static 1011
    ProductDescription,    // static 1012
    FileVersion,           // static 1013, "%s" is the version
    CompanyName,           // static 1014
    ProgramMissing,        // "%s" is the missing file
    WriteFailed,           // "%s" is the file
    ShortcutFailed,
    AutoStartFailed,
    DriverPresent,
    DriverPackageMissing,
    DriverRemovalAdvice,
    DriverWaiting,
    Count
};

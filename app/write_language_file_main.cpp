// kova-language-file PATH: writes the built-in text table as a language file,
// the one a release folder and the package ship beside the programs.

#include <cstdio>

#include "app/CKOVAApp.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kova-language-file PATH\n");
        return 2;
    }
    CKOVAApp app;
    app.SetDefaultMultiLanguageStr();
    app.LanguageFilePath = argv[1];
    if (app.SaveMultiLanguageFile() == 0) {
        std::fprintf(stderr, "kova-language-file: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}

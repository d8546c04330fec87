#pragma once
// The decoder that CKOVAApp::LoadMultiLanguageFile uses for a language file
// that is not UTF-8. Reading code page 949 needs the platform's converter,
// which the core cannot call itself, so each front end installs it once at
// start-up, before the table is loaded. Without one, such a file is not used
// and the built-in table takes its place.

#include "lang/MultiLanguageFile.h"

void SetLanguageFileDecoder(MultiLanguageFile::Decoder decoder);
const MultiLanguageFile::Decoder& LanguageFileDecoder();

// The built-in text table. Its body is the header that the export of the
// Options page writes, so an edited table becomes the new default by
// replacing lang/SetDefaultMultiLanguageStr.h with an exported one.

#include "app/CKOVAApp.h"

#include "lang/SetDefaultMultiLanguageStr.h"

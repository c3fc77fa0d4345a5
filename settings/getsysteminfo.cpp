#include "settings/getsysteminfo.h"

#include <windows.h>

#include "settings/state.h"

void detectUiLanguage() {
    const LANGID language = GetSystemDefaultLangID();
    uiLanguageFlag = PRIMARYLANGID(language) == LANG_CHINESE ? 1 : 2;
}

#include "update/helppages.h"

#include <string>

#include "settings/state.h"
#include "update/shell.h"

namespace {

void openPage(const wchar_t* chinesePath, const wchar_t* englishPath) {
    const std::wstring address = uiLanguageFlag == 1 ? std::wstring(kChineseSite) + chinesePath
                                                     : std::wstring(kEnglishSite) + englishPath;
    // What the browser does with it is the browser's business; nothing is reported.
    shellOpen(address.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void openInstructionsPage() {
    openPage(L"/pallix-q7-voice-assistant-instructions-cn-v2.html",
             L"/pallix-q7-voice-assistant-instructions-en-v2.html");
}

void openLearnMorePage() {
    openPage(L"/pallix-q7-voice-assistant-learn-more-cn-v2.html",
             L"/pallix-q7-voice-assistant-learn-more-en-v2.html");
}

#pragma once

// The product's web pages, on the maker's Chinese site for a Chinese interface and on its English site
// otherwise.
constexpr const wchar_t* kChineseSite = L"https://cn.ulmar.example";
constexpr const wchar_t* kEnglishSite = L"https://www.ulmar.example";

void openInstructionsPage();
void openLearnMorePage();

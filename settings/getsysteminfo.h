#pragma once

// Sets uiLanguageFlag from the system's default language: 1 (Chinese texts) for Chinese of any region,
// 2 (English texts) for every other language.
void detectUiLanguage();

#pragma once

// The vocabulary of the settings. In each table the row number is at once the position in the dialog's
// list, the value kept in the settings state and the key of the stored text.

struct LanguageRow {
    const wchar_t* english;  // list text on an English interface
    const wchar_t* chinese;  // list text on a Chinese interface
    const wchar_t* stored;   // text written to and recognised in the registry
};

constexpr LanguageRow kLanguages[] = {
    {L"Chinese", L"中文", L"Chinese"},
    {L"English", L"英文", L"English"},
    {L"Cantonese", L"粵語", L"Cantonese"},
    {L"traditional Chinese", L"繁体中文", L"traditional"},
    {L"Japan", L"日语", L"Japan"},
    {L"Korean", L"韩语", L"Korean"},
    {L"French", L"法语", L"French"},
    {L"Spanish", L"西班牙语", L"Spanish"},
    {L"Thai", L"泰语", L"Thai"},
    {L"Arabic", L"阿拉伯语", L"Arabic"},
    {L"Russian", L"俄语", L"Russian"},
    {L"Portuguese", L"葡萄牙语", L"Portuguese"},
    {L"German", L"德语", L"German"},
    {L"Italian", L"意大利语", L"Italian"},
    {L"Greek", L"希腊语", L"Greek"},
    {L"Dutch", L"荷兰语", L"Dutch"},
    {L"Polish", L"波兰语", L"Polish"},
    {L"Bulgarian", L"保加利亞语", L"Bulgarian"},
    {L"Estonian", L"愛沙尼亞语", L"Estonian"},
    {L"Danish", L"丹麥语", L"Danish"},
    {L"Finnish", L"芬蘭語", L"Finnish"},
    {L"Czech", L"捷克語", L"Czech"},
    {L"Romanian", L"羅馬尼亞語", L"Romanian"},
    {L"Slovenian", L"斯洛文尼亞語", L"Slovenian"},
    {L"Swedish", L"瑞典語", L"Swedish"},
    {L"Hungarian", L"匈牙利語", L"Hungarian"},
    {L"Classical", L"文言文", L"Classical"},
    {L"Vietnamese", L"越南語", L"Vietnamese"},
};
constexpr int kLanguageCount = sizeof(kLanguages) / sizeof(kLanguages[0]);

// The source and voice-input lists are rows 0 to 2 of the Language table, but show Cantonese in the
// simplified spelling.
constexpr LanguageRow kShortLanguages[] = {
    {L"Chinese", L"中文", L"Chinese"},
    {L"English", L"英文", L"English"},
    {L"Cantonese", L"粤语", L"Cantonese"},
};
constexpr int kShortLanguageCount = sizeof(kShortLanguages) / sizeof(kShortLanguages[0]);

struct KeyRow {
    const wchar_t* english;
    const wchar_t* chinese;
    wchar_t letter;  // the key's character in the stored "keySet"
};

constexpr KeyRow kMouseKeys[] = {
    {L"Wheel", L"滚轮键", L'W'},
    {L"Forward", L"前进键", L'S'},
    {L"Back", L"后退键", L'P'},
};
constexpr int kMouseKeyCount = sizeof(kMouseKeys) / sizeof(kMouseKeys[0]);

constexpr KeyRow kKeyboardKeys[] = {
    {L"F1", L"F1", L'A'},     {L"F2", L"F2", L'B'},     {L"F3", L"F3", L'C'},   {L"F4", L"F4", L'D'},
    {L"F5", L"F5", L'E'},     {L"F6", L"F6", L'F'},     {L"F7", L"F7", L'G'},   {L"F8", L"F8", L'H'},
    {L"F9", L"F9", L'I'},     {L"F10", L"F10", L'J'},   {L"F11", L"F11", L'K'}, {L"F12", L"F12", L'L'},
    {L"ctrl", L"ctrl", L'T'}, {L"home", L"home", L'M'}, {L"end", L"end", L'N'},
};
constexpr int kKeyboardKeyCount = sizeof(kKeyboardKeys) / sizeof(kKeyboardKeys[0]);

static_assert(kLanguageCount == 28 && kMouseKeyCount == 3 && kKeyboardKeyCount == 15);

#pragma once

// Message box texts shared by the dialog's handlers.
constexpr const wchar_t* kCaption = L"Sonvaro";

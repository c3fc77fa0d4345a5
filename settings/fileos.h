#pragma once

#include <windows.h>

#include "base/handles.h"

// The registry store. Every operation opens its key, does its read or write and closes the key again;
// nothing is cached. A read whose key cannot be opened leaves the settings state as it is; every write
// says whether it stored its value, so that the dialog never reports a change that did not happen.

constexpr const wchar_t* kSettingsKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kVersionKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion";
// Reads ask for reading only: a key that security software or a policy leaves readable still shows what
// is stored. Writes ask for both, 0x2001F, as they always have.
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kWriteAccess = KEY_READ | KEY_WRITE;
constexpr const wchar_t* kDefaultKeySet = L"MWSBNM";

// A value is read into 32 characters but accepted only when it fits 32 bytes with its terminator,
// that is 15 characters at most.
constexpr int kValueChars = 32;
constexpr DWORD kValueBytes = 32;
using ValueText = wchar_t[kValueChars];

// Opens an existing key of HKEY_CURRENT_USER; never creates one.
UniqueKey openKey(const wchar_t* path, REGSAM access);

// Fills szPath with the value's text, or leaves it all zeros when the value is missing, too long (of any
// length), not a string or not terminated. Returns whether the text was accepted.
bool readValue(HKEY key, const wchar_t* name, ValueText& szPath);

// Stores text as REG_SZ with its terminator. Returns whether it was written.
bool writeValue(HKEY key, const wchar_t* name, const wchar_t* text);

// Clears onoffState, reads every setting and detects the interface language: the dialog's start.
void updateTranslateData();
// Reads every setting again, each where its key opens; the state keeps what could not be read.
void readSettings();
void readOnOff();
void readSource();
void readDest();
void readVoiceText();
void readKeySet();

// Each returns whether the key opened and the value was written; a row outside its table writes nothing
// and returns false. The key is never created.
bool writeOnOff();
bool writeSource();
bool writeDest();
bool writeVoiceText();
bool writeDefaultSet();

// Put the letter of a Mouse (Keyboard) key table row into "keySet", a text shorter than the default first
// completed from it: which 1 is the input key at position 1 (4), any other value the search key at
// position 2 (5).
bool mouseSetKey(int row, int which);
bool keyboardSetKey(int row, int which);

// The letter a "keySet" too short to hold `position` is completed with there: the default's, or where the
// other key of the same device (partnerLetter, 0 where it is missing too) has that one, the other key's
// default, so that the two keys of a device never end up equal. Positions 0 and 3 hold no key.
wchar_t completedLetter(int position, int partnerLetter);

// The row of a key letter in the Mouse key table (table 0) or the Keyboard key table (any other table);
// -1 for a letter that has no row.
int keyLetterToIndex(int letter, int table);

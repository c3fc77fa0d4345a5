#pragma once

#include "settings/state.h"

// The installed and newest version texts: from the files "version" and "LocalVersion" beside the
// program at start, from the registry values "newVersion" and "localVersion" at each upgrade press.

constexpr int kVersionFileBytes = 32;

// Fills modulePath, moduleDir and the two version-file paths.
void initVersionPaths();

// Reads up to 32 bytes of the file into destination (ANSI code page, up to the first NUL) and returns
// the number of bytes read; with none read the destination keeps its text.
int readFileTest(const wchar_t* path, wchar_t (&destination)[kVersionTextChars]);

void readNewVersion();
void readLocalVersion();

// 1 when versionText and localVersionText differ in any way, 0 when they are the same text.
int isVersionDifferent();

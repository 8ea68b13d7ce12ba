// The files the game cannot run without that were found missing or refused, the first one kept.
#pragma once

#include <string>
#include <string_view>

// Notes a file the game cannot run without as missing or refused; the first noted is kept.
// Safe from the start-up's loader threads.
void ReportMissingGameFile(std::string_view path);
// The first file noted, empty when none.
std::string FirstMissingGameFile();
// Forgets them, for a new run.
void ClearMissingGameFiles();

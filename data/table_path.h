#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "data/record_store.h"

// Path rules of the table files. Paths are UTF-8 text with '/' or '\' as separators;
// nothing here looks at the process's current directory.
namespace tallyra {

// The file a table path names. "bsf\X.bsf", "bsf/X.bsf" and programDir + "\bsf\X.bsf"
// (letter case of programDir ignored) all name dataDir + "/X.bsf"; another relative path
// is taken below programDir; any other absolute path stays as it is. The result uses '/'.
std::string ResolveTablePath(const TableLocation& location, std::string_view fileName);

// The table's name: its file name without folder and extension ("Zhgl" for ".../Zhgl.bsf").
std::string TableNameOf(std::string_view path);
// The file name with its extension ("Zhgl.bsf").
std::string FileNameOf(std::string_view path);

// ASCII letters lowered; other bytes (UTF-8 of Chinese names) are compared as they are.
std::string AsciiLower(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A filesystem path from UTF-8 text (on Windows a plain std::string would be read in
// the ANSI code page).
std::filesystem::path PathFromUtf8(std::string_view utf8);

}  // namespace tallyra

#pragma once

#include <string>

namespace tallyra {

// Whether a file can be created in the folder (UTF-8 path) right now: tried with a file
// of a random name that is removed at once, so the answer holds for whatever makes the
// folder read-only (permissions, a read-only share or medium, the attributes on Windows).
bool FolderIsWritable(const std::string& folder);

// What the operator is told when table files can be read but not saved: the data folder
// when it is read-only, else the table file itself (path and folder with '/' separators).
std::string ReadOnlyText(const std::string& tablePath);

}  // namespace tallyra

#pragma once

#include <string>

struct sqlite3;

namespace tallyra {

// Copies the committed content of `source` (an open connection to a table file) to
// `target` with SQLite's online backup API, so the copy is consistent while other
// programs write. The copy is written under a temporary name ("target.partial-…"),
// synced, checked with TableFile::Check as a file of table `table` and only then renamed
// to `target`; a copy that fails or does not check out is removed, so a file named
// `target` is always sound. Missing folders are created. kStoreOk, or kStoreIoError with
// a reason naming target.
int CopyTableFile(sqlite3* source, const std::string& target, const std::string& table,
                  std::string* error);

// True for the temporary name of a copy that never finished.
bool IsUnfinishedCopy(const std::string& fileName);

}  // namespace tallyra

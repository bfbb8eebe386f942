#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/record_store.h"

namespace tallyra {

// Appends the records to a table of the catalogue in one transaction, so that a benchmark
// can fill 100 000 records in seconds rather than one synced append each. Returns an
// error text, empty on success.
std::string FillTable(const TableLocation& location, const std::string& file,
                      const std::vector<std::vector<Value>>& records);

// A new folder's path in the system's temporary folder, prefix and a random part; not yet
// created.
std::filesystem::path UniqueTempFolder(const std::string& prefix);

}  // namespace tallyra

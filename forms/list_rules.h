#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How the forms' drop-down lists are built from the texts of a table's records, in
// record order. Entries are never sorted; the rules only decide what is kept.
namespace tallyra {

enum class ListRule {
  kEveryEntry,    // every non-empty text, duplicates included
  kAccount,       // "description|number" for each record whose description is not empty
  kUniquePrefix,  // a text that begins an earlier entry (letter case ignored) adds nothing
};

struct BuiltList {
  std::vector<std::string> entries;
  // Unique prefix: the entry the last repeated text matched. The first box of the list
  // shows it selected, as the windows have always done.
  std::optional<std::size_t> selected;
};

// One record's texts: the read field, or for kAccount the description and the number.
using RecordTexts = std::vector<std::string>;

// Builds a list in O(n log n) for n records.
BuiltList BuildList(ListRule rule, const std::vector<RecordTexts>& records);

}  // namespace tallyra

#include "forms/list_rules.h"

#include <algorithm>
#include <climits>

namespace tallyra {
namespace {

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// The first list position among the kept entries that begin with a text. Every text the
// list may ever hold is known in advance, so they are sorted once: the entries beginning
// with a text are then one run of that order, and a tree of minima over it answers the
// "first in list order" question in O(log n) however many entries share the prefix.
class PrefixIndex final {
 public:
  explicit PrefixIndex(std::vector<std::string> keys) : keys_(std::move(keys)) {
    std::sort(keys_.begin(), keys_.end());
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
    size_ = 1;
    while (size_ < keys_.size()) size_ *= 2;
    tree_.assign(2 * size_, kNone);
  }

  // The smallest list position kept under a key beginning with prefix, or kNone.
  std::size_t FirstBeginningWith(const std::string& prefix) const {
    const auto begin = std::lower_bound(keys_.begin(), keys_.end(), prefix);
    const auto end = std::partition_point(begin, keys_.end(), [&](const std::string& key) {
      return key.compare(0, prefix.size(), prefix) == 0;
    });
    return Minimum(static_cast<std::size_t>(begin - keys_.begin()),
                   static_cast<std::size_t>(end - keys_.begin()));
  }

  void Keep(const std::string& key, std::size_t position) {
    std::size_t node =
        size_ +
        static_cast<std::size_t>(std::lower_bound(keys_.begin(), keys_.end(), key) - keys_.begin());
    for (; node >= 1; node /= 2) tree_[node] = std::min(tree_[node], position);
  }

  static constexpr std::size_t kNone = SIZE_MAX;

 private:
  // Minimum over leaves [from, to).
  std::size_t Minimum(std::size_t from, std::size_t to) const {
    std::size_t best = kNone;
    for (from += size_, to += size_; from < to; from /= 2, to /= 2) {
      if (from & 1) best = std::min(best, tree_[from++]);
      if (to & 1) best = std::min(best, tree_[--to]);
    }
    return best;
  }

  std::vector<std::string> keys_;
  std::size_t size_ = 1;
  std::vector<std::size_t> tree_;
};

BuiltList UniquePrefixList(const std::vector<RecordTexts>& records) {
  std::vector<std::string> keys;
  keys.reserve(records.size());
  for (const RecordTexts& record : records) keys.push_back(Folded(record.at(0)));
  PrefixIndex index(keys);

  BuiltList list;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::size_t match = index.FirstBeginningWith(keys[i]);
    if (match != PrefixIndex::kNone) {
      list.selected = match;
    } else {
      index.Keep(keys[i], list.entries.size());
      list.entries.push_back(records[i].at(0));
    }
  }
  return list;
}

}  // namespace

BuiltList BuildList(ListRule rule, const std::vector<RecordTexts>& records) {
  if (rule == ListRule::kUniquePrefix) return UniquePrefixList(records);
  BuiltList list;
  list.entries.reserve(records.size());
  for (const RecordTexts& record : records) {
    if (record.at(0).empty()) continue;
    list.entries.push_back(rule == ListRule::kAccount ? record.at(0) + "|" + record.at(1)
                                                      : record.at(0));
  }
  return list;
}

}  // namespace tallyra

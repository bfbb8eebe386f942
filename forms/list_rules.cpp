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

// Every text the list may ever hold is known in advance, so they are sorted once. The
// texts beginning with a text s then form one run of that order, starting at s itself;
// one pass over the sorted texts finds where each run ends. A tree of minima over the
// sorted places, holding the list position of each kept entry, then answers "the first
// entry in list order that begins with s" in O(log n), however many entries share s.
class PrefixIndex final {
 public:
  static constexpr std::size_t kNone = SIZE_MAX;

  explicit PrefixIndex(const std::vector<std::string>& keys) {
    const std::size_t n = keys.size();
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    // Stable, so that equal texts keep record order and the first stands for them all.
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    place_.resize(n);
    runEnd_.assign(n, n);
    std::vector<std::size_t> open;  // sorted places whose run has not ended yet
    for (std::size_t p = 0; p < n; ++p) {
      const std::string& key = keys[order[p]];
      while (!open.empty() && !BeginsWith(key, keys[order[open.back()]])) {
        runEnd_[open.back()] = p;
        open.pop_back();
      }
      open.push_back(p);
      // Equal texts share the place of the first of them.
      place_[order[p]] = p > 0 && keys[order[p - 1]] == key ? place_[order[p - 1]] : p;
    }
    size_ = 1;
    while (size_ < n) size_ *= 2;
    tree_.assign(2 * size_, kNone);
  }

  // The smallest list position kept under a text beginning with record i's text.
  std::size_t FirstBeginningWith(std::size_t record) const {
    const std::size_t from = place_[record];
    return Minimum(from, runEnd_[from]);
  }

  void Keep(std::size_t record, std::size_t position) {
    for (std::size_t node = size_ + place_[record]; node >= 1; node /= 2) {
      tree_[node] = std::min(tree_[node], position);
    }
  }

 private:
  static bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
  }

  // Minimum over the sorted places [from, to).
  std::size_t Minimum(std::size_t from, std::size_t to) const {
    std::size_t best = kNone;
    for (from += size_, to += size_; from < to; from /= 2, to /= 2) {
      if (from & 1) best = std::min(best, tree_[from++]);
      if (to & 1) best = std::min(best, tree_[--to]);
    }
    return best;
  }

  std::vector<std::size_t> place_;   // record: its sorted place
  std::vector<std::size_t> runEnd_;  // sorted place: end of the run beginning with it
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
    const std::size_t match = index.FirstBeginningWith(i);
    if (match != PrefixIndex::kNone) {
      list.selected = match;
    } else {
      index.Keep(i, list.entries.size());
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

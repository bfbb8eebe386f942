#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/list_rules.h"
#include "ui/app_context.h"

class QWidget;

namespace tallyra {

class ListBox;

// Which records of a table fill which boxes, and by what rule.
struct ListSource {
  std::string file;                 // the table, e.g. "Bfzh.bsf"
  std::vector<std::string> fields;  // the read field; kAccount: description and number
  ListRule rule = ListRule::kEveryEntry;
  // Only records it accepts (read with the store positioned on them); none: every record.
  std::function<bool(RecordStore&)> accept = {};
};

// Fills drop-down lists from a table, in record order, one walk per table however many
// boxes it fills. The table stays open and current afterwards. A table that cannot be
// opened is reported, naming the file, and its boxes stay empty.
class ListFiller final {
 public:
  ListFiller(AppContext& context, QWidget* window) : context_(context), window_(window) {}

  // Appends the built entries to every box. The boxes keep the text they show, except
  // that a unique-prefix list shows its matched entry selected in the first box.
  void Fill(const ListSource& source, const std::vector<ListBox*>& boxes);
  // Empties the boxes' lists first; their texts stay.
  void Refill(const ListSource& source, const std::vector<ListBox*>& boxes);

 private:
  bool ReadRecords(const ListSource& source, std::vector<RecordTexts>& records);

  AppContext& context_;
  QWidget* window_;
};

}  // namespace tallyra

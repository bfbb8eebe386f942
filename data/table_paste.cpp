#include "data/table_paste.h"

#include <algorithm>

#include "data/cell_value.h"
#include "data/csv.h"

namespace tallyra {

bool PlanPaste(std::string_view text, const std::vector<FieldDef>& fields, int rowCount,
               int cursorRow, int cursorColumn, PastePlan* plan, std::string* error) {
  *plan = {};
  CsvRows block;
  // Text from elsewhere than a spreadsheet may hold a lone quote: then it is taken as it is.
  if (!ParseDelimited(text, '\t', true, &block, nullptr)) {
    ParseDelimited(text, '\t', false, &block, nullptr);
  }
  const auto first = static_cast<std::size_t>(std::max(cursorRow, 0));
  const auto column = static_cast<std::size_t>(std::max(cursorColumn, 0));
  plan->batch.fields = fields;
  plan->batch.firstRow = first;
  plan->single = block.size() == 1 && block[0].size() == 1;
  for (std::size_t r = 0; r < block.size(); ++r) {
    const int gridRow = static_cast<int>(first + r) + 1;
    std::vector<std::optional<Value>> row(fields.size());
    for (std::size_t c = 0; c < block[r].size(); ++c) {
      const std::size_t f = column + c;
      if (f >= fields.size()) {
        ++plan->outside;
        continue;
      }
      const CellFit fit = FitCellValue(fields[f], block[r][c]);
      if (fit.refused) {
        if (error) {
          *error = "第" + std::to_string(gridRow) + "行“" + fields[f].name + "”栏不能存入“" +
                   block[r][c] + "”。没有粘贴任何内容。";
        }
        return false;
      }
      if (fit.cut && plan->cut++ == 0) plan->firstCut = PastedCell{gridRow, f};
      if (fit.dropped && plan->dropped++ == 0) plan->firstDropped = PastedCell{gridRow, f};
      row[f] = fit.value;
    }
    plan->batch.rows.push_back(std::move(row));
  }
  plan->rows = static_cast<int>(block.size());
  plan->appended = std::max(0, static_cast<int>(first + block.size()) - std::max(rowCount, 0));
  return true;
}

}  // namespace tallyra

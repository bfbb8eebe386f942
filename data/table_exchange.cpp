#include "data/table_exchange.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "data/catalogue.h"
#include "data/cell_value.h"
#include "data/field_value.h"
#include "data/random_hex.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

bool Fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

std::string Quoted(std::string_view text) { return "“" + std::string(text) + "”"; }

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::optional<std::size_t> FieldNamed(const std::vector<FieldDef>& fields, std::string_view name) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return i;
  }
  return std::nullopt;
}

std::string FieldList(const std::vector<FieldDef>& fields) {
  std::string list;
  for (const FieldDef& field : fields) list += (list.empty() ? "" : "、") + field.name;
  return list;
}

// The field each column fills: by the header's names, else in field order.
bool MatchColumns(const CsvRows& rows, const std::vector<FieldDef>& fields, bool header,
                  std::vector<std::optional<std::size_t>>* columns, std::string* error) {
  if (!header) {
    for (std::size_t i = 0; i < fields.size(); ++i) columns->push_back(i);
    return true;
  }
  for (std::size_t c = 0; c < rows[0].size(); ++c) {
    const std::string name = Trimmed(rows[0][c]);
    const std::optional<std::size_t> field = name.empty() ? std::nullopt : FieldNamed(fields, name);
    if (!name.empty() && !field) {
      return Fail(error, "文件第1行第" + std::to_string(c + 1) + "列的栏名" + Quoted(name) +
                             "在表中没有对应的栏（表中的栏：" + FieldList(fields) +
                             "）。没有导入任何记录。");
    }
    if (field && std::find(columns->begin(), columns->end(), field) != columns->end()) {
      return Fail(error, "文件中有两列的栏名都是" + Quoted(name) + "。没有导入任何记录。");
    }
    columns->push_back(field);
  }
  return true;
}

bool PlanRow(const std::vector<std::string>& row, int line, const std::vector<FieldDef>& fields,
             const std::vector<std::optional<std::size_t>>& columns, ImportPlan* plan,
             std::string* error) {
  std::vector<Value> record(fields.size());
  for (std::size_t f = 0; f < fields.size(); ++f) record[f] = EmptyValueOf(fields[f].type);
  for (std::size_t c = 0; c < row.size(); ++c) {
    const std::optional<std::size_t> field = c < columns.size() ? columns[c] : std::nullopt;
    if (!field) {
      if (Trimmed(row[c]).empty()) continue;
      return Fail(error, "文件第" + std::to_string(line) + "行第" + std::to_string(c + 1) +
                             "列的值" + Quoted(row[c]) + "没有对应的栏。没有导入任何记录。");
    }
    const CellFit fit = FitCellValue(fields[*field], row[c]);
    if (fit.refused) {
      return Fail(error, "文件第" + std::to_string(line) + "行" + Quoted(fields[*field].name) +
                             "栏的值" + Quoted(row[c]) + "不能存入这一栏。没有导入任何记录。");
    }
    if (fit.cut) plan->cut.push_back({line, *field, row[c]});
    if (fit.dropped) plan->dropped.push_back({line, *field, row[c]});
    record[*field] = fit.value;
  }
  plan->records.push_back(std::move(record));
  return true;
}

}  // namespace

bool IsExchangeableTable(std::string_view fileName) {
  const TableDef* def = FindTableDef(FileNameOf(fileName));
  return def == nullptr || def->password.empty();
}

std::string TableToCsv(const std::vector<FieldDef>& fields,
                       const std::vector<std::vector<Value>>& records) {
  CsvRows rows;
  rows.reserve(records.size() + 1);
  rows.emplace_back();
  for (const FieldDef& field : fields) rows.back().push_back(field.name);
  for (const auto& record : records) {
    rows.emplace_back();
    for (const Value& value : record) rows.back().push_back(CellTextOf(value));
  }
  return FormatCsv(rows);
}

bool PlanImport(std::string_view bytes, const std::vector<FieldDef>& fields, ImportPlan* plan,
                std::string* error) {
  *plan = {};
  std::string text;
  if (!DecodeCsvBytes(bytes, &text, &plan->encoding)) {
    return Fail(error, "文件既不是UTF-8也不是GBK编码的文本，无法读取。没有导入任何记录。");
  }
  CsvRows rows;
  int unclosed = 0;
  if (!ParseDelimited(text, ',', true, &rows, &unclosed)) {
    return Fail(error, "文件第" + std::to_string(unclosed) +
                           "行开始的引号没有配对，无法读取。没有导入任何记录。");
  }
  plan->header = !rows.empty() && std::any_of(rows[0].begin(), rows[0].end(), [&](auto& value) {
    return FieldNamed(fields, Trimmed(value)).has_value();
  });
  std::vector<std::optional<std::size_t>> columns;
  if (!MatchColumns(rows, fields, plan->header, &columns, error)) return false;
  for (std::size_t r = plan->header ? 1 : 0; r < rows.size(); ++r) {
    if (!PlanRow(rows[r], static_cast<int>(r + 1), fields, columns, plan, error)) return false;
  }
  if (plan->records.empty()) return Fail(error, "文件中没有要导入的记录。");
  for (std::size_t f = 0; f < fields.size(); ++f) {
    const bool filled = std::find(columns.begin(), columns.end(), f) != columns.end();
    (filled ? plan->filledFields : plan->emptyFields).push_back(f);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return Fail(error, "无法打开文件" + Quoted(path) + "。");
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail(error, "无法读取文件" + Quoted(path) + "。");
  return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* error) {
  const std::filesystem::path target = PathFromUtf8(path);
  const std::filesystem::path temporary = PathFromUtf8(path + ".partial-" + RandomHex(6));
  std::error_code ec;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temporary, ec);
      return Fail(error, "无法写入文件" + Quoted(path) + "，请检查文件夹是否可写、磁盘是否已满。");
    }
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return Fail(error, "无法写入文件" + Quoted(path) + "，它可能正被别的程序（如Excel）打开。");
  }
  return true;
}

}  // namespace tallyra

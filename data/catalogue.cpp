#include "data/catalogue.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "data/field_value.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

// Byte sizes of the text fields, each at least the limit of the box that shows it.
constexpr int kNameBytes = 64;           // full names: the drop-down lists take 64
constexpr int kAccountBytes = 32;        // account note and number: the lists take 32
constexpr int kBankBytes = 32;           // banks: the lists take 32
constexpr int kPlaceBytes = 16;          // province, city, county: the lists take 8
constexpr int kSourceBytes = 32;         // fund sources: the list takes 32
constexpr int kHeaderSubjectBytes = 40;  // debit/credit subject of the voucher header
constexpr int kSubjectBytes = 32;        // general-ledger and detail subjects: 32 and 28
constexpr int kOperatorNameBytes = 16;   // the administrator window takes 7
constexpr int kPasswordHashBytes = 128;  // an Argon2id hash string (crypto_pwhash_STRBYTES)
constexpr int kLevelBytes = 10;          // "超级管理员"

FieldDef Text(const char* name, int size) { return {name, FieldType::kText, size}; }

std::vector<FieldDef> Numbers(std::initializer_list<const char*> names) {
  std::vector<FieldDef> fields;
  for (const char* name : names) fields.push_back({name, FieldType::kDouble, 0});
  return fields;
}

std::vector<TableDef> BuildCatalogue() {
  const auto list = [](const char* file, const char* caption, const char* field, int size) {
    return TableDef{file, caption, "", {Text(field, size)}};
  };
  const auto accounts = [](const char* file, const char* caption) {
    return TableDef{
        file, caption, "", {Text("账号说明", kAccountBytes), Text("银行账号", kAccountBytes)}};
  };
  const auto addresses = [](const char* file, const char* caption) {
    return TableDef{file,
                    caption,
                    "",
                    {Text("省", kPlaceBytes), Text("市", kPlaceBytes), Text("县", kPlaceBytes)}};
  };
  return {
      {std::string(kOperatorTable),
       "操作员帐户",
       std::string(kOperatorTablePassword),
       {Text("帐户名", kOperatorNameBytes), Text("帐户密码", kPasswordHashBytes),
        Text("管理权限", kLevelBytes)}},
      list("Bfqc.bsf", "本方全称", "单位全称", kNameBytes),
      accounts("Bfzh.bsf", "本方账号"),
      list("Bfyh.bsf", "本方银行", "开户银行", kBankBytes),
      addresses("Bfdd.bsf", "本方地址"),
      list("Dfqc.bsf", "对方全称", "单位全称", kNameBytes),
      accounts("Dfzh.bsf", "对方账号"),
      list("Dfyh.bsf", "对方银行", "开户银行", kBankBytes),
      addresses("Dfdd.bsf", "对方地址"),
      list("Kxlyk.bsf", "款项来源", "款项来源", kSourceBytes),
      list("Sjfkm.bsf", "收款凭证借方科目", "借方科目", kHeaderSubjectBytes),
      list("Szzkm.bsf", "收款凭证总帐科目", "总帐科目", kSubjectBytes),
      list("Smxkm.bsf", "收款凭证明细科目", "明细科目", kSubjectBytes),
      list("Fdfkm.bsf", "付款凭证贷方科目", "贷方科目", kHeaderSubjectBytes),
      list("Fzzkm.bsf", "付款凭证总帐科目", "总帐科目", kSubjectBytes),
      list("Fmxkm.bsf", "付款凭证明细科目", "明细科目", kSubjectBytes),
      list("Zjzzkm.bsf", "转帐凭证借方总帐科目", "总帐科目", kSubjectBytes),
      list("Zjmxkm.bsf", "转帐凭证借方明细科目", "明细科目", kSubjectBytes),
      list("Zdzzkm.bsf", "转帐凭证贷方总帐科目", "总帐科目", kSubjectBytes),
      list("Zdmxkm.bsf", "转帐凭证贷方明细科目", "明细科目", kSubjectBytes),
      {"Tzztwz.bsf", "打印位置", "@山%水*云&",
       Numbers({"支票左右", "支票上下", "进帐单左右", "进帐单上下", "电汇左右", "电汇上下",
                "收款凭证左右", "收款凭证上下", "付款凭证左右", "付款凭证上下", "转帐凭证左右",
                "转帐凭证上下", "现金交款单左右", "现金交款单上下"})},
      {"Tzjzd.bsf", "进帐单打印位置", "@春%夏*秋&冬",
       Numbers({"日期行上下",       "年左右",         "月左右",         "日左右",
                "全称行上下",       "出票人全称左右", "收款人全称左右", "账号行上下",
                "出票人账号左右",   "收款人账号左右", "开户行行上下",   "出票人开户行左右",
                "收款人开户行左右", "大写金额上下",   "小写金额上下",   "大写金额左右",
                "亿位左右",         "千万位左右",     "百万位左右",     "十万位左右",
                "万位左右",         "千位左右",       "百位左右",       "十位左右",
                "元位左右",         "角位左右",       "分位左右",       "票据行上下",
                "票据种类左右",     "票据张数左右",   "票据号码上下",   "备注上下",
                "票据号码左右",     "备注左右"})},
  };
}

std::string TablePath(const TableLocation& location, std::string_view file) {
  return ResolveTablePath(location, "bsf/" + std::string(file));
}

}  // namespace

const std::vector<TableDef>& Catalogue() {
  static const std::vector<TableDef> catalogue = BuildCatalogue();
  return catalogue;
}

const TableDef* FindTableDef(std::string_view file) {
  for (const TableDef& table : Catalogue()) {
    if (EqualsIgnoringCase(table.file, file)) return &table;
  }
  return nullptr;
}

bool HasCatalogueFields(std::string_view file, const std::vector<FieldDef>& fields,
                        std::string* missing) {
  const TableDef* known = FindTableDef(file);
  if (known == nullptr) return true;
  for (const FieldDef& needed : known->fields) {
    const auto it = std::find_if(fields.begin(), fields.end(),
                                 [&](const FieldDef& f) { return f.name == needed.name; });
    const bool usable = it != fields.end() &&
                        (IsTextType(needed.type) ? IsTextType(it->type) : IsNumericType(it->type));
    if (!usable) {
      *missing = needed.name;
      return false;
    }
  }
  return true;
}

bool TableFileExists(const TableLocation& location, std::string_view file) {
  std::error_code ec;
  return std::filesystem::exists(PathFromUtf8(TablePath(location, file)), ec);
}

bool CreateMissingTables(const TableLocation& location, std::string* error) {
  std::error_code ec;
  const std::filesystem::path folder = PathFromUtf8(location.dataDir);
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    if (error) *error = "无法创建数据文件夹“" + location.dataDir + "”：" + ec.message();
    return false;
  }
  for (const TableDef& table : Catalogue()) {
    if (TableFileExists(location, table.file)) continue;
    const bool created = TableFile::Create(TablePath(location, table.file), table.fields,
                                           table.password, error) == kStoreOk;
    // Another copy of the program may have created it meanwhile; its file is as good.
    if (!created && !TableFileExists(location, table.file)) return false;
  }
  return true;
}

}  // namespace tallyra

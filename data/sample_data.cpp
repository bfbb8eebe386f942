#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/field_value.h"
#include "data/table_file.h"

// The sample reference data a first run may load: one own company with its branch, a few
// counterparties, their accounts, banks and addresses, fund sources and the subjects of
// the three vouchers. Every text fits the box that shows it.
namespace tallyra {
namespace {

struct SampleTable {
  const char* file;
  std::vector<std::vector<const char*>> rows;
};

const std::vector<SampleTable>& Samples() {
  static const std::vector<SampleTable> samples = {
      {"Bfqc.bsf", {{"北京华信达科技有限公司"}, {"北京华信达科技有限公司上海分公司"}}},
      {"Bfzh.bsf",
       {{"基本户", "0200004509200123456"},
        {"一般户", "11001016500053012345"},
        {"分公司户", "310066726018800012345"}}},
      {"Bfyh.bsf",
       {{"中国工商银行北京海淀支行"}, {"中国建设银行北京中关村支行"}, {"交通银行上海徐汇支行"}}},
      {"Bfdd.bsf",
       {{"北京市", "北京市", "海淀区"},
        {"北京市", "北京市", "朝阳区"},
        {"上海市", "上海市", "徐汇区"}}},
      {"Dfqc.bsf",
       {{"上海恒源机电设备有限公司"},
        {"广州南方物流股份有限公司"},
        {"深圳市鹏城电子有限公司"},
        {"杭州西湖茶业有限公司"}}},
      {"Dfzh.bsf",
       {{"恒源机电", "31001500400050012345"},
        {"南方物流", "44050146010100001234"},
        {"鹏城电子", "755912345610801"},
        {"西湖茶业", "1202020209900012345"}}},
      {"Dfyh.bsf",
       {{"交通银行上海浦东分行"},
        {"中国银行广州天河支行"},
        {"招商银行深圳福田支行"},
        {"中国农业银行杭州西湖支行"}}},
      {"Dfdd.bsf",
       {{"上海市", "上海市", "浦东新区"},
        {"广东省", "广州市", "天河区"},
        {"广东省", "广州市", "越秀区"},
        {"广东省", "深圳市", "福田区"},
        {"广东省", "深圳市", "南山区"},
        {"浙江省", "杭州市", "西湖区"},
        {"浙江省", "杭州市", "余杭区"},
        {"浙江省", "宁波市", "鄞州区"},
        {"江苏省", "南京市", "鼓楼区"},
        {"江苏省", "苏州市", "吴中区"}}},
      {"Kxlyk.bsf", {{"销售货款"}, {"劳务收入"}, {"往来款"}, {"备用金退回"}, {"其他收入"}}},
      {"Sjfkm.bsf", {{"库存现金"}, {"银行存款"}}},
      {"Szzkm.bsf",
       {{"主营业务收入"}, {"应收账款"}, {"其他应收款"}, {"预收账款"}, {"其他业务收入"}}},
      {"Smxkm.bsf", {{"产品销售收入"}, {"技术服务收入"}, {"员工借款"}, {"押金"}, {"恒源机电"}}},
      {"Fdfkm.bsf", {{"库存现金"}, {"银行存款"}}},
      {"Fzzkm.bsf", {{"管理费用"}, {"应付账款"}, {"其他应付款"}, {"应付职工薪酬"}, {"销售费用"}}},
      {"Fmxkm.bsf", {{"办公费"}, {"差旅费"}, {"业务招待费"}, {"工资"}, {"水电费"}}},
      {"Zjzzkm.bsf", {{"应收账款"}, {"原材料"}, {"固定资产"}, {"管理费用"}}},
      {"Zjmxkm.bsf", {{"恒源机电"}, {"钢材"}, {"办公设备"}, {"折旧费"}}},
      {"Zdzzkm.bsf", {{"主营业务收入"}, {"应付账款"}, {"累计折旧"}, {"库存商品"}}},
      {"Zdmxkm.bsf", {{"产品销售收入"}, {"南方物流"}, {"办公设备折旧"}, {"甲产品"}}},
  };
  return samples;
}

}  // namespace

bool LoadSampleData(RecordStore& store, std::string* error) {
  for (const SampleTable& sample : Samples()) {
    // Written through a connection of its own, one transaction per table: a synced
    // Append per record would make a first run wait seconds. Tables open in the store
    // see the records at their next First or RecordCount.
    const std::string path = store.ResolvePath("bsf\\" + std::string(sample.file));
    int code = kStoreOk;
    const auto file = TableFile::Open(path, "", &code, error);
    if (!file) return false;
    bool reloaded = false;
    if (file->BeginWrite(&reloaded, error) != kStoreOk) return false;
    // Only an empty table gets the samples, so a second run adds nothing twice.
    const bool fill = file->Records().empty();
    for (std::size_t r = 0; fill && r < sample.rows.size() && code == kStoreOk; ++r) {
      const auto& fields = file->Fields();
      std::vector<Value> values(fields.size());
      for (std::size_t i = 0; i < fields.size() && code == kStoreOk; ++i) {
        const Value given =
            i < sample.rows[r].size() ? Value(std::string(sample.rows[r][i])) : Value();
        code = ConvertForField(fields[i], given, &values[i]);
        if (code != kStoreOk && error) *error = "样例数据不符合表文件“" + path + "”的字段";
      }
      if (code == kStoreOk) code = file->Insert(values, error);
    }
    if (code == kStoreOk) code = file->Commit(error);
    if (code != kStoreOk) return false;  // an uncommitted write is rolled back on close
  }
  return true;
}

}  // namespace tallyra

#include "tests/support/filled_cheque.h"

namespace tallyra {

FieldValues FilledCheque() {
  FieldValues fields = {
      {"编辑框1", "贰零壹壹"},
      {"编辑框2", "零壹"},
      {"编辑框3", "零伍"},
      {"收款编辑框1", "上海东方机电设备有限公司"},
      {"账号编辑框1", "基本户|1234567890"},
      {"大写编辑框2", "壹仟贰佰叁拾肆元伍角整"},
      {"附加编辑框2", "ABCDEFGHIJKLMNOPQRSTUVWX附加"},
      {"用途编辑框1", "货款"},
      {"密码编辑框1", "8866123456781234"},
      {"日期框1", "2011-01-05"},
      {"收款编辑框3", "上海东方机电设备有限公司"},
      {"小写编辑框5", "1234.50"},
      {"用途编辑框4", "货款"},
  };
  const char* digits[] = {"", "", "", "", "", "1", "2", "3", "4", "5", "0"};  // 亿 … 分
  for (int k = 0; k < 11; ++k) fields["编辑框" + std::to_string(4 + k)] = digits[k];
  return fields;
}

}  // namespace tallyra

#include "data/text_decoding.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tallyra {

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

#ifdef _WIN32
bool DecodeGbk(std::string_view gbk, std::string* utf8) {
  utf8->clear();
  if (gbk.empty()) return true;
  const int size = static_cast<int>(gbk.size());
  const int wideLength =
      MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), size, wide.data(), wideLength);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  utf8->resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8->data(), bytes, nullptr, nullptr);
  return bytes > 0;
}
#else
bool DecodeGbk(std::string_view gbk, std::string* utf8) {
  utf8->clear();
  // Code page 936, as Windows writes it: the same table on both systems.
  iconv_t converter = iconv_open("UTF-8", "CP936");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string input(gbk);
  char* in = input.data();
  std::size_t inLeft = input.size();
  bool ok = true;
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    utf8->append(buffer, static_cast<std::size_t>(out - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ok = false;
      break;
    }
  }
  iconv_close(converter);
  return ok;
}
#endif

}  // namespace tallyra

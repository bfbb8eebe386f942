#pragma once

#include <string>
#include <string_view>

// Bytes from outside the program (files, the clipboard) turned into the UTF-8 text the
// program holds.
namespace tallyra {

// Strictly valid UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// GBK (code page 936) bytes as UTF-8; false when the bytes are not valid GBK.
bool DecodeGbk(std::string_view gbk, std::string* utf8);

}  // namespace tallyra

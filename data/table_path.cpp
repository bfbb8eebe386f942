#include "data/table_path.h"

#include <algorithm>
#include <string>

namespace tallyra {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool IsAbsolute(std::string_view path) {
  if (!path.empty() && path.front() == '/') return true;
  const bool driveLetter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') ||
                                                (path[0] >= 'a' && path[0] <= 'z'));
  return driveLetter && path[1] == ':' && path[2] == '/';
}

// Forward slashes, no "." or ".." components, no repeated or trailing separator.
std::string Normalize(std::string_view path) {
  std::string text(path);
  std::replace(text.begin(), text.end(), '\\', '/');
  if (text.empty()) return text;
  const std::u8string generic = PathFromUtf8(text).lexically_normal().generic_u8string();
  std::string normal(generic.begin(), generic.end());
  while (normal.size() > 1 && normal.back() == '/' && !(normal.size() == 3 && normal[1] == ':')) {
    normal.pop_back();
  }
  return normal;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ResolveTablePath(const TableLocation& location, std::string_view fileName) {
  const std::string data = Normalize(location.dataDir);
  const std::string program = Normalize(location.programDir);
  std::string path = Normalize(fileName);
  if (!IsAbsolute(path)) {
    if (StartsWithIgnoringCase(path, "bsf/")) return data + path.substr(3);
    path = (program.empty() ? data : program) + "/" + path;
  }
  const std::string programTables = program + "/bsf/";
  if (!program.empty() && StartsWithIgnoringCase(path, programTables)) {
    return data + "/" + path.substr(programTables.size());
  }
  return path;
}

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string TableNameOf(std::string_view path) {
  std::string name = FileNameOf(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace tallyra

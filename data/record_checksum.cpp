#include "data/record_checksum.h"

#include <sodium.h>

#include <array>
#include <bit>
#include <type_traits>

namespace tallyra {
namespace {

constexpr char kRecordTag = 'R';
constexpr char kFieldsTag = 'F';
constexpr char kProtectionTag = 'P';
constexpr char kTableTag = 'T';

constexpr std::size_t kFeedBytes = 4096;

std::int64_t CutToEightBytes(const unsigned char* hash) {
  std::uint64_t cut = 0;
  for (int i = 7; i >= 0; --i) cut = (cut << 8) | hash[i];
  return static_cast<std::int64_t>(cut);
}

std::int64_t Hash(const std::string& bytes) {
  std::array<unsigned char, crypto_generichash_BYTES_MIN> hash{};
  crypto_generichash(hash.data(), hash.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                     bytes.size(), nullptr, 0);
  return CutToEightBytes(hash.data());
}

}  // namespace

// Seven bits a byte, low bits first: small numbers and short lengths take one byte,
// which keeps the bytes hashed, and so the cost of a load, low.
void RecordChecksum::AddInteger(std::string& out, std::int64_t value) {
  auto bits = static_cast<std::uint64_t>(value);
  while (bits >= 0x80) {
    out.push_back(static_cast<char>((bits & 0x7F) | 0x80));
    bits >>= 7;
  }
  out.push_back(static_cast<char>(bits));
}

void RecordChecksum::AddBytes(std::string& out, const void* data, std::size_t size) {
  AddInteger(out, static_cast<std::int64_t>(size));
  out.append(static_cast<const char*>(data), size);
}

// A value's kind follows from its field's type, which the field list's checksum covers,
// so only lengths are needed to keep two different records apart.
void RecordChecksum::Serialize(std::string& out, std::int64_t id, bool deleted,
                               const std::vector<Value>& values) {
  AddInteger(out, id);
  out.push_back(deleted ? '\1' : '\0');
  for (const Value& value : values) {
    std::visit(
        [&out](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, bool>) {
            out.push_back(v ? '\1' : '\0');
          } else if constexpr (std::is_same_v<T, std::int64_t>) {
            AddInteger(out, v);
          } else if constexpr (std::is_same_v<T, double>) {
            // SQLite keeps -0.0 as the integer 0 and reads it back as +0.0.
            auto bits = std::bit_cast<std::uint64_t>(v == 0.0 ? 0.0 : v);
            for (int i = 0; i < 8; ++i, bits >>= 8) out.push_back(static_cast<char>(bits & 0xFF));
          } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, Blob>) {
            AddBytes(out, v.data(), v.size());
          }
        },
        value);
  }
}

std::int64_t RecordChecksum::OfRecord(std::int64_t id, bool deleted,
                                      const std::vector<Value>& values) {
  buffer_.assign(1, kRecordTag);
  Serialize(buffer_, id, deleted, values);
  return Hash(buffer_);
}

void RecordChecksum::BeginTable() {
  crypto_generichash_init(&table_, nullptr, 0, crypto_generichash_BYTES_MIN);
  buffer_.assign(1, kTableTag);
}

// Fed in pieces of about a hash block's multiple: one buffer of the whole table would be
// a fresh large allocation at every first open.
void RecordChecksum::AddRecord(std::int64_t id, bool deleted, const std::vector<Value>& values) {
  Serialize(buffer_, id, deleted, values);
  if (buffer_.size() >= kFeedBytes) Feed();
}

std::int64_t RecordChecksum::FinishTable() {
  Feed();
  std::array<unsigned char, crypto_generichash_BYTES_MIN> hash{};
  crypto_generichash_final(&table_, hash.data(), hash.size());
  return CutToEightBytes(hash.data());
}

void RecordChecksum::Feed() {
  crypto_generichash_update(&table_, reinterpret_cast<const unsigned char*>(buffer_.data()),
                            buffer_.size());
  buffer_.clear();
}

std::int64_t RecordChecksum::OfFields(const std::vector<FieldDef>& fields) {
  buffer_.assign(1, kFieldsTag);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    AddInteger(buffer_, static_cast<std::int64_t>(i + 1));
    AddBytes(buffer_, fields[i].name.data(), fields[i].name.size());
    AddInteger(buffer_, static_cast<std::int64_t>(fields[i].type));
    AddInteger(buffer_, fields[i].size);
  }
  return Hash(buffer_);
}

std::int64_t RecordChecksum::OfProtection(const Blob& salt, const Blob& verifier) {
  buffer_.assign(1, kProtectionTag);
  AddBytes(buffer_, salt.data(), salt.size());
  AddBytes(buffer_, verifier.data(), verifier.size());
  return Hash(buffer_);
}

}  // namespace tallyra

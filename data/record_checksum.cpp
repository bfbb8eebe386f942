#include "data/record_checksum.h"

#include <bit>
#include <cstring>

namespace tallyra {
namespace {

constexpr char kRecordTag = 'R';
constexpr char kFieldsTag = 'F';
constexpr char kProtectionTag = 'P';
constexpr char kTableTag = 'T';

}  // namespace

void RecordChecksum::Hasher::Begin(char tag) {
  crypto_generichash_init(&state_, nullptr, 0, crypto_generichash_BYTES_MIN);
  buffer_[0] = static_cast<unsigned char>(tag);
  used_ = 1;
}

void RecordChecksum::Hasher::Reserve(std::size_t size) {
  if (used_ + size > kBytes) Feed();
}

void RecordChecksum::Hasher::Feed() {
  crypto_generichash_update(&state_, buffer_.data(), used_);
  used_ = 0;
}

// Seven bits a byte, low bits first: small numbers and short lengths take one byte,
// which keeps the bytes hashed, and so the cost of a load, low.
void RecordChecksum::Hasher::PutInteger(std::int64_t value) {
  Reserve(kLongest);
  auto bits = static_cast<std::uint64_t>(value);
  while (bits >= 0x80) {
    buffer_[used_++] = static_cast<unsigned char>((bits & 0x7F) | 0x80);
    bits >>= 7;
  }
  buffer_[used_++] = static_cast<unsigned char>(bits);
}

void RecordChecksum::Hasher::PutBytes(const void* data, std::size_t size) {
  PutInteger(static_cast<std::int64_t>(size));
  if (size > kBytes - used_) {
    Feed();
    if (size >= kBytes) {  // fed as it stands, not copied first
      crypto_generichash_update(&state_, static_cast<const unsigned char*>(data), size);
      return;
    }
  }
  if (size != 0) std::memcpy(buffer_.data() + used_, data, size);
  used_ += size;
}

// A value's kind follows from its field's type, which the field list's checksum covers,
// so only lengths are needed to keep two different records apart.
void RecordChecksum::Hasher::PutRecord(std::int64_t id, bool deleted,
                                       const std::vector<Value>& values) {
  PutInteger(id);
  Reserve(1);
  buffer_[used_++] = deleted ? 1 : 0;
  for (const Value& value : values) {
    if (const auto* text = std::get_if<std::string>(&value)) {
      PutBytes(text->data(), text->size());
    } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
      PutInteger(*number);
    } else if (const auto* real = std::get_if<double>(&value)) {
      // SQLite keeps -0.0 as the integer 0 and reads it back as +0.0.
      auto bits = std::bit_cast<std::uint64_t>(*real == 0.0 ? 0.0 : *real);
      Reserve(kLongest);
      for (int i = 0; i < 8; ++i, bits >>= 8) buffer_[used_++] = static_cast<unsigned char>(bits);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
      Reserve(1);
      buffer_[used_++] = *flag ? 1 : 0;
    } else if (const auto* blob = std::get_if<Blob>(&value)) {
      PutBytes(blob->data(), blob->size());
    }
  }
}

std::int64_t RecordChecksum::Hasher::Finish() {
  Feed();
  std::array<unsigned char, crypto_generichash_BYTES_MIN> hash{};
  crypto_generichash_final(&state_, hash.data(), hash.size());
  std::uint64_t cut = 0;
  for (int i = 7; i >= 0; --i) cut = (cut << 8) | hash[static_cast<std::size_t>(i)];
  return static_cast<std::int64_t>(cut);
}

std::int64_t RecordChecksum::OfRecord(std::int64_t id, bool deleted,
                                      const std::vector<Value>& values) {
  one_.Begin(kRecordTag);
  one_.PutRecord(id, deleted, values);
  return one_.Finish();
}

void RecordChecksum::BeginTable() { table_.Begin(kTableTag); }

void RecordChecksum::AddRecord(std::int64_t id, bool deleted, const std::vector<Value>& values) {
  table_.PutRecord(id, deleted, values);
}

std::int64_t RecordChecksum::FinishTable() { return table_.Finish(); }

void RecordChecksum::PutFields(const std::vector<FieldDef>& fields) {
  one_.Begin(kFieldsTag);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    one_.PutInteger(static_cast<std::int64_t>(i + 1));
    one_.PutBytes(fields[i].name.data(), fields[i].name.size());
    one_.PutInteger(static_cast<std::int64_t>(fields[i].type));
    one_.PutInteger(fields[i].size);
  }
}

std::int64_t RecordChecksum::OfFields(const std::vector<FieldDef>& fields) {
  PutFields(fields);
  return one_.Finish();
}

// The name is hashed as a length and its bytes after the fields, like a field name.
std::int64_t RecordChecksum::OfNamedFields(const std::vector<FieldDef>& fields,
                                           const std::string& table) {
  PutFields(fields);
  one_.PutBytes(table.data(), table.size());
  return one_.Finish();
}

std::int64_t RecordChecksum::OfProtection(const Blob& salt, const Blob& verifier) {
  one_.Begin(kProtectionTag);
  one_.PutBytes(salt.data(), salt.size());
  one_.PutBytes(verifier.data(), verifier.size());
  return one_.Finish();
}

}  // namespace tallyra

#pragma once

#include <sodium.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/record_store.h"

namespace tallyra {

// Checksums that let a table file tell damaged data from data: BLAKE2b (libsodium's
// crypto_generichash, 16 bytes, its shortest) cut to its first 8 bytes, read as a
// little-endian integer. Each kind of data is hashed with its own leading tag, so a
// record can never pass for a field list. The enumerators of FieldType are hashed by
// their number: their order is part of the file format.
class RecordChecksum final {
 public:
  // A record: its id, its deleted mark and its values, each with its type.
  std::int64_t OfRecord(std::int64_t id, bool deleted, const std::vector<Value>& values);
  // The field list: number, name, type and byte size of every field, in order.
  std::int64_t OfFields(const std::vector<FieldDef>& fields);
  // The field list followed by the name of the table the file belongs to ("Bfzh"), as a
  // file of the current format stores it: a file copied over another table's is told.
  std::int64_t OfNamedFields(const std::vector<FieldDef>& fields, const std::string& table);
  // The protection row, or its absence (both empty) for an unprotected table.
  std::int64_t OfProtection(const Blob& salt, const Blob& verifier);

  // One checksum of all records in order, each fed as OfRecord reads it: a load checks
  // this one hash instead of one per record, which costs far less, and it also catches
  // a record that went missing or moved.
  void BeginTable();
  void AddRecord(std::int64_t id, bool deleted, const std::vector<Value>& values);
  std::int64_t FinishTable();

 private:
  // The bytes of one hash, gathered in a fixed buffer and fed to BLAKE2b a piece at a
  // time: a load of many records then never allocates and never copies a value twice.
  class Hasher final {
   public:
    void Begin(char tag);
    void PutInteger(std::int64_t value);
    void PutBytes(const void* data, std::size_t size);
    void PutRecord(std::int64_t id, bool deleted, const std::vector<Value>& values);
    std::int64_t Finish();

   private:
    static constexpr std::size_t kBytes = 4096;
    static constexpr std::size_t kLongest = 10;  // a varint, or the 8 bytes of a double
    void Reserve(std::size_t size);
    void Feed();

    crypto_generichash_state state_{};
    std::array<unsigned char, kBytes> buffer_{};
    std::size_t used_ = 0;
  };

  void PutFields(const std::vector<FieldDef>& fields);

  Hasher table_;  // the table checksum, fed over many calls
  Hasher one_;    // a single record, field list or protection row
};

}  // namespace tallyra

// Fuzzes the table-file loader: every input is a mutant of a real table file, opened with
// the store as each table of the seeds (name and password) and read in full when the
// Open succeeds. Whatever the store serves must be exactly what the unmutated file holds:
// a mutant is refused, or it is read as one of the seeds of that table. A crash, a hang,
// a sanitizer report or any other record served is a failure.
//   TALLYRA_FUZZ_SEEDS=SEED_FOLDER table_file_fuzzer [libFuzzer options] CORPUS SEED_FOLDER
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "data/table_path.h"
#include "tests/fuzz/fuzz_tables.h"

namespace tallyra::fuzz {
namespace {

namespace fs = std::filesystem;

struct Fuzzing {
  fs::path root;  // a program folder with its bsf, rewritten for every input
  // The table files, each with the content of every seed of it.
  std::map<std::string, std::vector<TableContent>> originals;
};

Fuzzing& State() {
  static Fuzzing state;
  return state;
}

[[noreturn]] void Stop(const std::string& why) {
  std::fprintf(stderr, "table_file_fuzzer: %s\n", why.c_str());
  std::abort();
}

void Write(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) Stop("cannot write " + path.string());
}

// Each seed read once as the program reads it (older formats are upgraded in a copy).
void ReadSeeds(const fs::path& seeds) {
  Fuzzing& state = State();
  const fs::path reading = state.root / "seeds";
  for (const auto& entry : fs::directory_iterator(seeds)) {
    const std::string seed = entry.path().filename().string();
    const std::string file = TableFileOf(seed);
    fs::remove_all(reading);
    fs::create_directories(reading / "bsf");
    fs::copy_file(entry.path(), reading / "bsf" / file);
    RecordStore store({reading.string(), (reading / "bsf").string()});
    if (!store.Open("bsf\\" + file, PasswordOf(file))) {
      Stop("the seed " + seed + " does not open: " + store.LastErrorText());
    }
    state.originals[file].push_back(ReadWhole(store));
  }
  fs::remove_all(reading);
  if (state.originals.empty()) Stop("no seeds in " + seeds.string());
}

// A mutant of the first format has no checksums: it may be served changed, as the
// upgrade trusts such a file. Only crashes count for it.
bool OfTheFirstFormat(const std::uint8_t* data, std::size_t size) {
  return size >= 64 && data[60] == 0 && data[61] == 0 && data[62] == 0 && data[63] == 1;
}

}  // namespace
}  // namespace tallyra::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace tallyra::fuzz;
  const char* seeds = std::getenv("TALLYRA_FUZZ_SEEDS");
  if (!seeds) Stop("TALLYRA_FUZZ_SEEDS names no seed folder");
  State().root = fs::temp_directory_path() / ("tallyra-fuzz-" + std::to_string(getpid()));
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(State().root, ec);
  });
  ReadSeeds(seeds);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallyra;
  using namespace tallyra::fuzz;
  Fuzzing& state = State();
  const fs::path folder = state.root / "bsf";
  const bool checked = !OfTheFirstFormat(data, size);
  // Leftovers of the last input (an upgrade's copy, a file of another name) go first.
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  for (const auto& [file, contents] : state.originals) {
    Write(folder / file, data, size);
    RecordStore store({state.root.string(), folder.string()});
    if (!store.Open("bsf\\" + file, PasswordOf(file))) continue;
    const TableContent served = ReadWhole(store);
    if (!checked) continue;
    bool known = false;
    for (const TableContent& content : contents) known = known || served == content;
    if (!known) Stop("opened as " + file + ", a mutant served records no seed of it holds");
  }
  return 0;
}

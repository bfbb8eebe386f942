#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/record_store.h"

namespace tallyra {

// One table file of the program: its file name in bsf, the caption the selection window
// shows, its password (empty for none) and its fields in order.
struct TableDef {
  std::string file;  // "Zhgl.bsf"
  std::string caption;
  std::string password;
  std::vector<FieldDef> fields;
};

// Every table file the program uses.
const std::vector<TableDef>& Catalogue();
// The table of a file named like "Zhgl.bsf" (letter case ignored); nullptr if unknown.
const TableDef* FindTableDef(std::string_view file);

// Whether a file's fields hold every field the windows read by name from the table of
// that file name, each of a usable type; false names the first missing field. A file
// the catalogue does not know passes.
bool HasCatalogueFields(std::string_view file, const std::vector<FieldDef>& fields,
                        std::string* missing);

inline constexpr std::string_view kOperatorTable = "Zhgl.bsf";

inline constexpr std::string_view kOperatorTablePassword = "@天%地*人&";

// Whether the table file exists in the data folder.
bool TableFileExists(const TableLocation& location, std::string_view file);
// Creates every missing table file with its fields (and the data folder if needed);
// existing files are left untouched. False with a reason naming the file on failure.
bool CreateMissingTables(const TableLocation& location, std::string* error);
// Appends the sample reference data (companies, accounts, banks, addresses, fund
// sources, subjects) to the reference tables; not the operators or positions. Only a
// table without records is filled, so a second call adds nothing. Each table is filled
// in one transaction; the store's open tables and current table are left as they are.
bool LoadSampleData(RecordStore& store, std::string* error);

}  // namespace tallyra

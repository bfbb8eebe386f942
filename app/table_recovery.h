#pragma once

#include <string>

#include "ui/app_context.h"

namespace tallyra {

// Wires the record store's safety nets to the operator: daily backups dated by the
// injected clock, a failed backup reported once in a message box, and for every damaged
// table the store meets (at start-up or when a window opens it) an offer to restore it
// from its newest sound backup.
void InstallTableRecovery(AppContext& context);

// The offer for one damaged table (its path and why): names the file and the backup's
// day and asks Yes/No; Yes moves the damaged file aside and copies the backup in. With
// no backup it says so and what to do. True when the file was restored.
bool OfferRestore(AppContext& context, const std::string& path, const std::string& reason);

// At start-up: creates the missing tables and makes sure the operator table opens; false
// after telling the user why (a damaged file is left as it is, and only then are the
// backups pointed to). A data folder that cannot be written is said so once, with what
// still works: the program reads, logs in and prints, but saves nothing.
bool PrepareTables(AppContext& context);

}  // namespace tallyra

#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <string>

#include "data/fatal_error.h"
#include "data/record_store.h"
#include "forms/position_table.h"
#include "tests/support/fake_services.h"
#include "ui/app_context.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tallyra {

// A fresh program for each window test: an empty data folder with every table, a record
// store, fresh state and fake services. Fatal errors throw.
class UiFixture : public ::testing::Test {
 protected:
  UiFixture();
  ~UiFixture() override;

  // Appends an operator to the operator table (its password hashed cheaply).
  void AddOperator(const std::string& name, const std::string& password, const std::string& level);
  // Shows a window and waits until it is the active one, so that focus and keys reach it.
  void ShowActive(QWidget* window);
  // Appends records of text values to a table.
  void AddRecords(const std::string& file, const std::vector<std::vector<std::string>>& records);
  // Stores the first record of a position table: the values from the source's first
  // field on, every other offset 0.
  void StoreOffsets(const OffsetSource& source, const std::vector<double>& values);
  // The cheque's pair, every other offset 0.
  void StoreChequeOffsets(double dx, double dy);
  // The same for any form's pair.
  void StoreOffsets(OffsetPair pair, double dx, double dy) {
    StoreOffsets(OffsetsOf(pair), {dx, dy});
  }

  QTemporaryDir dir_;
  FakeServices fakes_;
  ProgramState state_;
  std::unique_ptr<RecordStore> store_;
  std::unique_ptr<AppContext> context_;

 private:
  FatalErrorHandler previousHandler_;
};

}  // namespace tallyra

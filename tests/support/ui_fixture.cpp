#include "tests/support/ui_fixture.h"

#include <QTest>
#include <stdexcept>

#include "data/catalogue.h"
#include "data/password_hash.h"
#include "forms/position_table.h"

namespace tallyra {

UiFixture::UiFixture() {
  previousHandler_ = SetFatalErrorHandler([](int code, const std::string& text) {
    throw std::runtime_error(std::to_string(code) + ": " + text);
  });
  const std::string root = dir_.path().toStdString();
  state_.ProgramDir = dir_.path();
  state_.StartTime = fakes_.clock.now;
  store_ = std::make_unique<RecordStore>(TableLocation{root, root + "/bsf"});
  std::string error;
  if (!CreateMissingTables(store_->Location(), &error)) throw std::runtime_error(error);
  context_ = std::make_unique<AppContext>(AppContext{state_, *store_, fakes_.services});
}

UiFixture::~UiFixture() { SetFatalErrorHandler(previousHandler_); }

void UiFixture::AddOperator(const std::string& name, const std::string& password,
                            const std::string& level) {
  RecordStore& store = *store_;
  ASSERT_TRUE(store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
  ASSERT_TRUE(store.Append({name, HashPassword(password, HashLimits::Minimum()), level}));
  store.CloseAll();
}

void UiFixture::ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void UiFixture::AddRecords(const std::string& file,
                           const std::vector<std::vector<std::string>>& records) {
  ASSERT_TRUE(store_->Open("bsf\\" + file));
  for (const auto& record : records) {
    ASSERT_TRUE(store_->Append(std::vector<Value>(record.begin(), record.end())));
  }
  store_->CloseAll();
}

void UiFixture::StoreOffsets(const OffsetSource& source, const std::vector<double>& values) {
  const TableDef* table = FindTableDef(source.table);
  ASSERT_NE(table, nullptr);
  std::vector<Value> record(table->fields.size(), Value(0.0));
  for (std::size_t k = 0; k < values.size(); ++k) {
    record[static_cast<std::size_t>(source.firstField - 1) + k] = values[k];
  }
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(source.table), source.password));
  ASSERT_TRUE(store_->Append(record));
  store_->CloseAll();
}

void UiFixture::StoreChequeOffsets(double dx, double dy) {
  StoreOffsets(OffsetsOf(OffsetPair::kCheque), {dx, dy});
}

}  // namespace tallyra

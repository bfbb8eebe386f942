#include "tests/support/ui_fixture.h"

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

void UiFixture::StoreChequeOffsets(double dx, double dy) {
  StoreOffsets(OffsetPair::kCheque, dx, dy);
}

void UiFixture::StoreOffsets(OffsetPair pair, double dx, double dy) {
  std::vector<Value> offsets(kPositionFields, Value(0.0));
  const auto x = static_cast<std::size_t>(2 * static_cast<int>(pair) - 2);
  offsets[x] = dx;
  offsets[x + 1] = dy;
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kPositionTable), kPositionTablePassword));
  ASSERT_TRUE(store_->Append(offsets));
  store_->CloseAll();
}

void UiFixture::AddRecords(const std::string& file,
                           const std::vector<std::vector<std::string>>& records) {
  ASSERT_TRUE(store_->Open("bsf\\" + file));
  for (const auto& record : records) {
    ASSERT_TRUE(store_->Append(std::vector<Value>(record.begin(), record.end())));
  }
  store_->CloseAll();
}

}  // namespace tallyra

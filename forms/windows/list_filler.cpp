#include "forms/windows/list_filler.h"

#include <QStringList>

#include "ui/list_box.h"

namespace tallyra {

bool ListFiller::ReadRecords(const ListSource& source, std::vector<RecordTexts>& records) {
  RecordStore& store = context_.store;
  // A table already open (a second list from it) is selected again.
  if (!store.MakeCurrent(source.file)) {
    context_.services.messages.Show(
        window_, {QStringLiteral("下拉选项无法读取，列表为空：\n") +
                      QString::fromStdString(store.LastErrorText()),
                  QStringLiteral("错误信息！"), MessageIcon::kWarning, MessageButtons::kOk});
    return false;
  }
  store.First();
  const int count = store.RecordCount();
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i, store.Skip()) {
    if (source.accept && !source.accept(store)) continue;
    RecordTexts texts;
    for (const std::string& field : source.fields) texts.push_back(store.ReadText(field));
    records.push_back(std::move(texts));
  }
  return true;
}

void ListFiller::Fill(const ListSource& source, const std::vector<ListBox*>& boxes) {
  std::vector<RecordTexts> records;
  if (!ReadRecords(source, records)) return;
  const BuiltList list = BuildList(source.rule, records);
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(list.entries.size()));
  for (const std::string& entry : list.entries) entries << QString::fromStdString(entry);

  for (ListBox* box : boxes) {
    const int before = box->count();
    const QString text = box->currentText();
    box->AddEntries(entries);
    // Adding to an empty list selects its first entry: the box keeps its own text.
    box->setCurrentIndex(-1);
    box->setEditText(text);
    if (box == boxes.front() && list.selected) {
      box->setCurrentIndex(before + static_cast<int>(*list.selected));
    }
  }
}

void ListFiller::Refill(const ListSource& source, const std::vector<ListBox*>& boxes) {
  for (ListBox* box : boxes) {
    const QString text = box->currentText();
    box->clear();
    box->setEditText(text);
  }
  Fill(source, boxes);
}

}  // namespace tallyra

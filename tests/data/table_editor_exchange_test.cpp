// Pasting a block from a spreadsheet into the table editor, and its CSV export and import.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "data/table_file.h"
#include "data/windows/import_preview_dialog.h"
#include "tests/support/table_editor_fixture.h"

namespace tallyra {
namespace {

using Records = std::vector<std::vector<std::string>>;

class TableEditorPasteTest : public TableEditorTest {};

TEST_F(TableEditorPasteTest, ABlockPastesFromTheCursorDownAndAppendsPastTheEnd) {
  AddRecords("Bfzh.bsf", {{"a", "1"}, {"b", "2"}, {"c", "3"}});
  OpenEditor("Bfzh.bsf");
  // As a spreadsheet copies it: a value holding a tab in quotes, CR LF after every row.
  PasteAt(1, 0, QStringLiteral("B\t22\r\n\"C\tc\"\t33\r\nD\t44\r\n"));
  EXPECT_EQ(RecordsOnDisk("Bfzh.bsf"),
            (Records{{"a", "1"}, {"B", "22"}, {"C c", "33"}, {"D", "44"}}));
  EXPECT_EQ(Column(1), (std::vector<QString>{"1", "22", "33", "44"}));
  EXPECT_EQ(fakes_.messages.Texts(),
            std::vector<QString>{QStringLiteral("已粘贴 3 行（其中新增 1 行）。")});
  EXPECT_EQ(window_->CurrentRow(), 1);

  // From the second column on, the block's first column lands there.
  fakes_.messages.shown.clear();
  PasteAt(0, 1, QStringLiteral("10\textra\r\n"));
  EXPECT_EQ(RecordsOnDisk("Bfzh.bsf")[0], (std::vector<std::string>{"a", "10"}));
  EXPECT_EQ(fakes_.messages.Texts(),
            std::vector<QString>{
                QStringLiteral("已粘贴 1 行。\n有 1 个值在表格最右一栏之外，没有粘贴。")});
}

TEST_F(TableEditorPasteTest, PastedValuesAreCutAndFilteredLikeTypedOnesAndTheMessageNamesTheFirst) {
  AddRecords("Bfzh.bsf", {{"a", "1"}});
  OpenEditor("Bfzh.bsf");                    // both fields hold 32 bytes
  const QString tooLong(20, QChar(0x5E10));  // 20 × 帐, 40 bytes
  PasteAt(0, 0,
          QStringLiteral("x\tA") + QString::fromUtf8("😀") + QStringLiteral("B\r\n") + tooLong +
              QStringLiteral("\t2\r\n") + tooLong + QStringLiteral("\t3\r\n"));
  EXPECT_EQ(RecordsOnDisk("Bfzh.bsf"), (Records{{"x", "AB"},
                                                {QString(16, QChar(0x5E10)).toStdString(), "2"},
                                                {QString(16, QChar(0x5E10)).toStdString(), "3"}}));
  EXPECT_EQ(
      fakes_.messages.Texts(),
      std::vector<QString>{QStringLiteral(
          "已粘贴 3 行（其中新增 2 行）。\n有 2 个值超出栏宽被截断，第一个在第2行“账号说明”栏。"
          "\n有 1 个值含有GBK不能表示的字符，这些字符已去掉，第一个在第1行“银行账号”栏。")});
}

TEST_F(TableEditorPasteTest, ASingleValuePastesIntoTheOneCellWithoutAMessage) {
  Open({"a", "b", "c"});
  PasteAt(1, 0, QStringLiteral("丙公司\r\n"));
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"a", "丙公司", "c"}));
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(TableEditorPasteTest, APasteTheStoreRefusesWritesNothing) {
  const std::string path = dir_.path().toStdString() + "/bsf/Sums.bsf";
  std::string error;
  ASSERT_EQ(
      TableFile::Create(path, {{"备注", FieldType::kText, 10}, {"金额", FieldType::kDouble, 0}}, "",
                        &error),
      kStoreOk);
  Open({"a", "b"}, "Sums.bsf");
  PasteAt(0, 0, QStringLiteral("x\t1\r\ny\t二\r\n"));
  EXPECT_EQ(OnDisk("Sums.bsf"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(fakes_.messages.Texts(),
            std::vector<QString>{QStringLiteral("第2行“金额”栏不能存入“二”。没有粘贴任何内容。")});

  // The day's backup cannot be made: the store refuses the whole block.
  fakes_.messages.shown.clear();
  QFile blocker(dir_.filePath(QStringLiteral("bsf/backup/2011-11-25")));
  QDir().mkpath(dir_.filePath(QStringLiteral("bsf/backup")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  PasteAt(0, 0, QStringLiteral("x\t1\r\ny\t2\r\nz\t3\r\n"));
  EXPECT_EQ(OnDisk("Sums.bsf"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Column(), (std::vector<QString>{"a", "b"}));
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.startsWith(
      QStringLiteral("没有写入任何内容：未能先备份，表文件没有改变")))
      << fakes_.messages.shown[0].text.toStdString();
}

class TableEditorCsvTest : public TableEditorTest {
 protected:
  QString FilePath(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  void WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(FilePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray ReadFile(const char* name) const {
    QFile file(FilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void Export(const char* name) {
    fakes_.files.answers.push_back(FilePath(name));
    Click(9);
  }
  // 导入 with the file chosen; the preview that opens, if any.
  ImportPreviewDialog* StartImport(const char* name) {
    fakes_.files.answers.push_back(FilePath(name));
    Click(8);
    return window_->findChild<ImportPreviewDialog*>();
  }
  void Press(ImportPreviewDialog* preview, const char* button) {
    preview->findChild<QPushButton*>(QString::fromUtf8(button))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QString Summary(ImportPreviewDialog* preview) {
    return preview->findChild<QLabel*>(QStringLiteral("导入说明签"))->text();
  }
};

TEST_F(TableEditorCsvTest, AnExportImportedAgainGivesBackTheSameTableByteForByte) {
  const Records records = {
      {"基本户", "0200004509200123456"}, {"a,\"b\"", "1"}, {"", ""}, {"€", " 空格 "}};
  AddRecords("Bfzh.bsf", records);
  OpenEditor("Bfzh.bsf");
  Export("first.csv");
  const QByteArray first = ReadFile("first.csv");
  EXPECT_TRUE(first.startsWith("\xEF\xBB\xBF账号说明,银行账号\r\n基本户,0200004509200123456\r\n"))
      << first.toStdString();
  EXPECT_EQ(fakes_.files.suggested, std::vector<QString>{QStringLiteral("本方全称.csv")});
  EXPECT_EQ(fakes_.messages.Texts().back(),
            QStringLiteral("已导出 4 条记录到“%1”。")
                .arg(QDir::toNativeSeparators(FilePath("first.csv"))));

  ImportPreviewDialog* preview = StartImport("first.csv");
  ASSERT_NE(preview, nullptr);
  preview->findChild<QRadioButton*>(QStringLiteral("替换单选框"))->click();
  Press(preview, "导入确定按钮");
  EXPECT_EQ(RecordsOnDisk("Bfzh.bsf"), records);
  EXPECT_EQ(fakes_.messages.Texts().back(),
            QStringLiteral("已导入 4 条记录，替换了原有的 4 条记录。"));
  Export("second.csv");
  EXPECT_EQ(ReadFile("second.csv"), first);
}

TEST_F(TableEditorCsvTest, ThePreviewSaysWhatWillHappenAndCancelWritesNothing) {
  AddRecords("Bfdd.bsf", {{"北京市", "北京市", "海淀区"}});
  OpenEditor("Bfdd.bsf");  // 省, 市, 县 of 16 bytes
  WriteFile("places.csv",
            QStringLiteral("市,省\r\n广州市,广东省\r\n一个名字很长很长的市,浙江省\r\n").toUtf8());
  ImportPreviewDialog* preview = StartImport("places.csv");
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(
      Summary(preview),
      QStringLiteral("文件：%1（UTF-8编码）\n共 2 条记录。\n第一行是栏名，按栏名对应：省、市\n"
                     "文件中没有这些栏，导入的记录中为空：县\n"
                     "超出栏宽、将被截断的值：1 个\n    文件第3行“市”栏：一个名字很长很长的市")
          .arg(QDir::toNativeSeparators(FilePath("places.csv"))));
  auto* grid = preview->findChild<QTableWidget*>(QStringLiteral("导入预览表格"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("一个名字很长很长"));
  EXPECT_TRUE(preview->findChild<QRadioButton*>(QStringLiteral("追加单选框"))->isChecked());
  EXPECT_TRUE(preview->findChild<QRadioButton*>(QStringLiteral("替换单选框"))
                  ->text()
                  .startsWith(QStringLiteral("替换表中现有的 1 条记录")));
  Press(preview, "导入取消按钮");
  EXPECT_EQ(RecordsOnDisk("Bfdd.bsf"), (Records{{"北京市", "北京市", "海淀区"}}));

  preview = StartImport("places.csv");
  ASSERT_NE(preview, nullptr);
  Press(preview, "导入确定按钮");
  EXPECT_EQ(RecordsOnDisk("Bfdd.bsf"), (Records{{"北京市", "北京市", "海淀区"},
                                                {"广东省", "广州市", ""},
                                                {"浙江省", "一个名字很长很长", ""}}));
  EXPECT_EQ(fakes_.messages.Texts().back(),
            QStringLiteral("已导入 2 条记录，追加在原有的 1 条记录之后。"));
  EXPECT_EQ(window_->CurrentRow(), 1);
}

TEST_F(TableEditorCsvTest, AFileThatCannotBeImportedGetsAMessageAndNoPreview) {
  Open({"甲"});
  WriteFile("wrong.csv", QStringLiteral("单位全称,简称\r\n乙,乙\r\n").toUtf8());
  EXPECT_EQ(StartImport("wrong.csv"), nullptr);
  EXPECT_EQ(StartImport("missing.csv"), nullptr);
  EXPECT_EQ(
      fakes_.messages.Texts(),
      (std::vector<QString>{
          QStringLiteral("文件第1行第2列的栏名“简称”在表中没有对应的栏（表中的栏：单位全称）。"
                         "没有导入任何记录。"),
          QStringLiteral("无法打开文件“%1”。").arg(FilePath("missing.csv"))}));
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"甲"}));
}

TEST_F(TableEditorCsvTest, TheButtonsStandBelowTheFrameWithTheirOwnAltKeys) {
  Open({"甲"});
  ShowActive(window_);
  const QRect frame = window_->findChild<QGroupBox*>(QStringLiteral("分组框1"))->geometry();
  EXPECT_EQ(frame, QRect(172, 256, 295, 60));
  for (int button : {8, 9}) {
    const QRect at =
        window_->findChild<QPushButton*>(QStringLiteral("按钮%1").arg(button))->geometry();
    EXPECT_GE(at.top(), frame.bottom()) << button;
    EXPECT_TRUE(window_->rect().contains(at)) << button;
  }
  // A mnemonic presses its button with a short animation.
  QTest::keyClick(window_->windowHandle(), Qt::Key_E, Qt::AltModifier);
  QTest::qWait(250);
  EXPECT_EQ(fakes_.files.suggested.size(), 1u) << "Alt+E exports";
  fakes_.files.answers.push_back(FilePath("none.csv"));
  QTest::keyClick(window_->windowHandle(), Qt::Key_I, Qt::AltModifier);
  QTest::qWait(250);
  EXPECT_TRUE(fakes_.files.answers.empty()) << "Alt+I asks for the file to import";
}

TEST_F(TableEditorCsvTest, ProtectedTablesAreNeitherImportedNorExported) {
  for (const char* file : {"Zhgl.bsf", "Tzztwz.bsf", "Tzjzd.bsf"}) {
    OpenEditor(file);
    for (int button : {8, 9}) {
      EXPECT_FALSE(
          window_->findChild<QPushButton*>(QStringLiteral("按钮%1").arg(button))->isEnabled())
          << file << " " << button;
    }
    delete window_.data();
  }
}

}  // namespace
}  // namespace tallyra

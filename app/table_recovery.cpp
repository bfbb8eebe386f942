#include "app/table_recovery.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include "data/catalogue.h"
#include "data/folder_access.h"
#include "data/table_path.h"

namespace tallyra {
namespace {

QString Native(const std::string& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path));
}

// The backups' folder beside the damaged file, as the manual names it.
QString BackupFolderOf(const std::string& path) {
  return Native(path.substr(0, path.find_last_of('/')) + "/backup");
}

}  // namespace

bool OfferRestore(AppContext& context, const std::string& path, const std::string& reason) {
  MessageBoxes& messages = context.services.messages;
  QWidget* parent = QApplication::activeWindow();
  // The reason names the file already.
  const QString damaged = QString::fromStdString(reason) + QStringLiteral("\n\n");
  const auto backup = context.store.NewestBackup(path);
  if (!backup) {
    messages.Show(parent,
                  {damaged + QStringLiteral("在“%1”中没有找到这个文件可用的备份。\n\n"
                                            "请退出程序，用您另外保存的副本替换该文件，"
                                            "或请系统管理员恢复（方法见帮助“备份与恢复”）。")
                                 .arg(BackupFolderOf(path)),
                   QStringLiteral("数据文件损坏"), MessageIcon::kError, MessageButtons::kOk});
    return false;
  }
  const QString stamp = context.services.clock.Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  const QString aside = QString::fromStdString(FileNameOf(path)) + ".damaged-" + stamp;
  const QString question =
      damaged + QStringLiteral(
                    "找到 %1 的备份，它已通过校验：\n%2\n\n"
                    "是否用这个备份恢复？\n"
                    "损坏的文件将改名为“%3”保留，不会删除；"
                    "%1 之后对这个表的修改需要重新录入。")
                    .arg(QString::fromStdString(backup->day), Native(backup->path), aside);
  const MessageAnswer answer = messages.Show(
      parent,
      {question, QStringLiteral("数据文件损坏"), MessageIcon::kQuestion, MessageButtons::kYesNo});
  if (answer != MessageAnswer::kYes) return false;
  if (!context.store.RestoreBackup(path, *backup, stamp.toStdString())) {
    messages.ShowError(parent, QStringLiteral("恢复失败，文件没有改变：\n") +
                                   QString::fromStdString(context.store.LastErrorText()));
    return false;
  }
  return true;
}

bool PrepareTables(AppContext& context) {
  const TableLocation& location = context.store.Location();
  MessageBoxes& messages = context.services.messages;
  std::string error;
  if (!CreateMissingTables(location, &error)) {
    messages.ShowError(nullptr,
                       QStringLiteral("无法创建数据文件：") + QString::fromStdString(error));
    return false;
  }
  RecordStore& store = context.store;
  const std::string table = "bsf\\" + std::string(kOperatorTable);
  const bool opened = store.Open(table, kOperatorTablePassword);
  const bool damaged = store.LastError() == kStoreDamagedFile;
  const bool readOnly =
      opened && (store.CurrentIsReadOnly() || !FolderIsWritable(location.dataDir));
  const QString reason = QString::fromStdString(store.LastErrorText());
  store.CloseAll();
  if (!opened) {
    messages.ShowError(nullptr,
                       QStringLiteral("操作员数据文件无法打开，程序无法启动：\n") + reason +
                           (damaged ? QStringLiteral("\n\n备份在数据文件夹的 backup 文件夹中，"
                                                     "手工恢复的方法见帮助“备份与恢复”。")
                                    : QString()));
    return false;
  }
  if (readOnly) {
    messages.Show(nullptr,
                  {QString::fromStdString(ReadOnlyText(store.ResolvePath(table))) +
                       QStringLiteral("\n\n可以照常登录、查看和打印；添加、修改和删除都无法保存。"
                                      "数据没有损坏，不需要恢复备份。若要保存修改，请让系统管理员"
                                      "取消它的只读属性或给予写入权限，然后重新启动程序。"),
                   QStringLiteral("数据只读"), MessageIcon::kWarning, MessageButtons::kOk});
  }
  return true;
}

void InstallTableRecovery(AppContext& context) {
  Services& services = context.services;
  context.store.SetBackupPolicy(
      {[&services] {
         return services.clock.Now().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
       },
       [&services](const std::string& reason) {
         services.messages.Show(
             QApplication::activeWindow(),
             {QStringLiteral("自动备份失败：\n%1\n\n您的修改已经保存，可以照常工作。"
                             "请检查磁盘空间和备份文件夹的写入权限；"
                             "本次运行中不再提示。")
                  .arg(QString::fromStdString(reason)),
              QStringLiteral("备份失败"), MessageIcon::kWarning, MessageButtons::kOk});
       }});
  context.store.SetDamageHandler([&context](const std::string& path, const std::string& reason) {
    return OfferRestore(context, path, reason);
  });
}

}  // namespace tallyra

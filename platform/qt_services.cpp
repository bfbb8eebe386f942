#include "platform/qt_services.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "data/fatal_error.h"

#ifdef _WIN32
// windows.h first: mmsystem.h and shellapi.h need its types.
#include <windows.h>
// clang-format off
#include <mmsystem.h>
#include <shellapi.h>
// clang-format on
#endif

namespace tallyra {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::Present(QWidget* parent, const Message& message) {
  QMessageBox box(ToQtIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                  parent);
  // Chinese captions on the standard buttons.
  auto addButton = [&box](QMessageBox::StandardButton button, const char* text) {
    box.addButton(button)->setText(QString::fromUtf8(text));
  };
  switch (message.buttons) {
    case MessageButtons::kOk:
      addButton(QMessageBox::Ok, "确定");
      break;
    case MessageButtons::kOkCancel:
      addButton(QMessageBox::Ok, "确定");
      addButton(QMessageBox::Cancel, "取消");
      break;
    case MessageButtons::kYesNo:
      addButton(QMessageBox::Yes, "是");
      addButton(QMessageBox::No, "否");
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return MessageAnswer::kOk;
    case QMessageBox::Yes:
      return MessageAnswer::kYes;
    case QMessageBox::No:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kCancel;
  }
}

QDateTime SystemClock::Now() const { return QDateTime::currentDateTime(); }

void SystemSoundPlayer::PlayChirp() {
  static const QByteArray clip = [] {
    QFile file(QStringLiteral(":/sounds/chirp.wav"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  if (clip.isEmpty()) return;
#ifdef _WIN32
  PlaySoundW(reinterpret_cast<LPCWSTR>(clip.constData()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
#else
  // The clip goes to the player through a pipe; a missing player or device stays silent.
  auto* player = new QProcess;
  QObject::connect(player, &QProcess::finished, player, &QObject::deleteLater);
  QObject::connect(player, &QProcess::errorOccurred, player, &QObject::deleteLater);
  player->start(QStringLiteral("aplay"), {QStringLiteral("-q"), QStringLiteral("-")});
  player->write(clip);
  player->closeWriteChannel();
#endif
}

namespace {

#ifdef _WIN32
// The shell opens the file with the program registered for its type (hh.exe for a CHM
// file); a value above 32 means it started, anything else that no program could.
bool ShellOpen(const QString& path) {
  const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}
#else
// Whether the desktop has an application for the file's type. Qt's openUrl only says
// whether a launcher started, and on Linux xdg-open starts even when nothing can show a
// CHM file.
bool HasDesktopHandler(const QString& path) {
  const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), mime});
  if (!query.waitForFinished(2000)) return false;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}
#endif

}  // namespace

bool DesktopShell::OpenFile(const QString& path) {
  if (!QFileInfo::exists(path)) return false;
#ifdef _WIN32
  return ShellOpen(path);
#else
  return HasDesktopHandler(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

void QtProcessControl::EndProgram() {
  std::fflush(nullptr);
  std::exit(0);
}

void QtProcessControl::FatalError(int code, const QString& text) {
  messages_.Show(nullptr, {QString::fromStdString(FatalErrorText(code, text.toStdString())),
                           QString(), MessageIcon::kError, MessageButtons::kOk});
  std::fflush(nullptr);
  std::_Exit(1);
}

QString QtFileDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
  if (folder_.isEmpty()) {
    folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  const QString path = QFileDialog::getOpenFileName(parent, title, folder_, filter);
  if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
  return path;
}

QString QtFileDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter) {
  if (folder_.isEmpty()) {
    folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  const QString path =
      QFileDialog::getSaveFileName(parent, title, QDir(folder_).filePath(suggested), filter);
  if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
  return path;
}

QtServices::QtServices()
    : process_(messages_),
      printing_(messages_, clock_),
      services_{messages_, clock_, sound_, shell_, process_, printing_, files_} {}

}  // namespace tallyra

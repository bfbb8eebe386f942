#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/first_run_window.h"
#include "app/language.h"
#include "app/login_window.h"
#include "app/look.h"
#include "app/main_window.h"
#include "app/table_recovery.h"
#include "data/catalogue.h"
#include "data/fatal_error.h"
#include "platform/qt_services.h"
#include "ui/quit_when_painted.h"

namespace tallyra {
namespace {

// ProgramDir/bsf for a portable install, else the per-user data folder.
QString DataDirectory(const QString& programDir) {
  const QString portable = programDir + QStringLiteral("/bsf");
  if (QDir(portable).exists()) return portable;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/bsf");
}

// Whether the operator table holds the super administrator, the one who can log in first.
bool HasSuperAdministrator(RecordStore& store) {
  if (!store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword)) return false;
  const bool found =
      store.Search([](RecordStore& s) { return s.ReadText("管理权限") == "超级管理员"; });
  store.CloseAll();
  return found;
}

}  // namespace

StartOutcome PrepareStart(AppContext& context) {
  InstallTableRecovery(context);
  if (!PrepareTables(context)) return StartOutcome::kCannotStart;
  if (HasSuperAdministrator(context.store)) return StartOutcome::kLogIn;
  FirstRunWindow setup(context);
  return setup.exec() == QDialog::Accepted ? StartOutcome::kLogIn : StartOutcome::kQuit;
}

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyra"));
  InstallChineseLanguage(app);
  InitResources();
  ApplyLook(app);
  MapFonts();

  QtServices qtServices;
  Services& services = qtServices.Get();
  SetFatalErrorHandler([&services](int code, const std::string& text) {
    services.process.FatalError(code, QString::fromStdString(text));
  });

  ProgramState state;
  state.ProgramDir = QCoreApplication::applicationDirPath();
  state.StartTime = services.clock.Now();
  RecordStore store(
      {state.ProgramDir.toStdString(), DataDirectory(state.ProgramDir).toStdString()});
  AppContext context{state, store, services};

  switch (PrepareStart(context)) {
    case StartOutcome::kCannotStart:
      return 1;
    case StartOutcome::kQuit:
      return 0;
    case StartOutcome::kLogIn:
      break;
  }

  auto* login = new LoginWindow(context, [&context] {
    auto* main = new MainWindow(context, ProgramWindows());
    main->show();
  });
  QuitWhenPainted::WatchIfAsked(login);
  login->show();
  return app.exec();
}

}  // namespace tallyra

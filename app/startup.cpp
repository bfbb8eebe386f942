#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/first_run_window.h"
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

}  // namespace

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyra"));
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
  InstallTableRecovery(context);

  bool firstRun = false;
  if (!PrepareTables(context, &firstRun)) return 1;
  if (firstRun) {
    FirstRunWindow setup(context);
    if (setup.exec() != QDialog::Accepted) return 0;
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

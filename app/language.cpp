#include "app/language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tallyra {

bool InstallChineseLanguage(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  const QString folders[] = {
      QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
      QLibraryInfo::path(QLibraryInfo::TranslationsPath),
  };
  // Parented to the application, which outlives every window that uses it.
  auto* catalogue = new QTranslator(&app);
  for (const QString& folder : folders) {
    if (catalogue->load(QStringLiteral("qtbase_zh_CN"), folder)) {
      app.installTranslator(catalogue);
      return true;
    }
  }
  delete catalogue;
  qWarning("Qt's Chinese catalogue qtbase_zh_CN.qm was not found in %s or %s; Qt's own texts "
           "stay English.",
           qPrintable(folders[0]), qPrintable(folders[1]));
  return false;
}

}  // namespace tallyra

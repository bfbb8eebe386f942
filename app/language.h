#pragma once

class QApplication;

namespace tallyra {

// Makes Qt's own texts Chinese whatever the machine's locale: the default locale becomes
// Chinese (China), for calendars and Qt's number formatting, and Qt's Chinese catalogue
// is loaded, for context menus, standard buttons and the print and preview dialogs.
// The catalogue is looked for in translations/ beside the program first (where the
// Windows package puts it), then in Qt's own folder. Without it the program still
// starts, in English, after one line on the log; false then.
bool InstallChineseLanguage(QApplication& app);

}  // namespace tallyra

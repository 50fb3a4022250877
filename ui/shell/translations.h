// Qt's own texts (message-box buttons, text-box menus) in Japanese, whatever
// the system locale.
#pragma once

class QCoreApplication;

namespace velmora::ui {

// Loads Qt's Japanese catalogue for qtbase from Qt's translations directory and
// installs it on the application. Returns false when the catalogue is missing;
// the program then runs with Qt's English texts.
bool InstallTranslations(QCoreApplication& app);

}  // namespace velmora::ui

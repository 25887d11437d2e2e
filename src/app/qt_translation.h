#pragma once

class QTranslator;

namespace somvix {

// Loads Qt's own Spanish texts (the file and folder dialogs, the standard buttons) from the
// folder where Qt keeps its translations, and installs them in the application; false when
// they are not there, and Qt then speaks English.
bool InstallQtSpanish(QTranslator& translator);

}  // namespace somvix

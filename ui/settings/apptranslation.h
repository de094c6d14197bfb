#ifndef APPTRANSLATION_H
#define APPTRANSLATION_H

#include <QString>

// Translators belong to the application, not to a window, so there is one for the whole program
// and only this switches it.
namespace AppTranslation {

// Installs the compiled translation at resource on the application in place of the one before,
// the shared library's at coreResource, and Qt's own translation of that language (qtName, such as
// "qtbase_zh_CN": dialog buttons, file dialogs, text menus) from Qt's translations folder or, where Qt was
// shipped beside the program, from its "translations" folder. Empty names remove them, so tr() gives the
// English source texts. False if our translation cannot be loaded; a missing Qt translation is only logged.
bool use(const QString& resource, const QString& coreResource, const QString& qtName);

} // namespace AppTranslation

#endif // APPTRANSLATION_H

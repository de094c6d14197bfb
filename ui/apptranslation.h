#ifndef APPTRANSLATION_H
#define APPTRANSLATION_H

#include <QString>

// Translators belong to the application, not to a window, so there is one for the whole program
// and only this switches it.
namespace AppTranslation {

// Installs the compiled translation at resource on the application in place of the one before;
// an empty name removes it, so tr() gives the English source texts. False if it cannot be loaded.
bool use(const QString& resource);

} // namespace AppTranslation

#endif // APPTRANSLATION_H

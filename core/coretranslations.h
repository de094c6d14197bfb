#ifndef CORETRANSLATIONS_H
#define CORETRANSLATIONS_H

#include <QString>

// The shared library's own texts (the failure reasons) in other languages, compiled into kacore,
// so that the window and the command line load the same translation.
namespace CoreTranslations {

// The compiled translation of kacore's texts for a language such as "zh_CN", for
// QTranslator::load; empty when there is none.
QString resource(const QString& language);

} // namespace CoreTranslations

#endif // CORETRANSLATIONS_H

#ifndef FONTFAMILIES_H
#define FONTFAMILIES_H

#include <QString>

// Family names of the three bundled font files, filled once at start-up.
extern QString fontFamilyEn;
extern QString fontFamilyEnBold;
extern QString fontFamilyCh;
extern QString fontFamilyChBold;

// Registers one font file and returns its first family, or an empty text (the toolkit's
// default family) when the file could not be registered.
QString loadFontFamily(const QString& path);

// Registers the three font files of the "fonts" folder beside the program, in the order
// Regular, Bold, Chinese, and fills the four family names.
void loadFontFamilies();

#endif // FONTFAMILIES_H

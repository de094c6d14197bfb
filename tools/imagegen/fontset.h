#ifndef FONTSET_H
#define FONTSET_H

#include <QFont>
#include <QString>

// The Latin and Chinese faces the pictures are lettered with, taken from Debian's font files so
// the pictures look the same whatever the machine has installed.
class FontSet
{
public:
    // Registers the font files; on failure returns false and says which file in *error.
    bool load(QString* error);

    QFont latin(int pixelSize, bool bold) const;
    QFont chinese(int pixelSize) const;

private:
    QString latinFamily;
    QString chineseFamily;
};

#endif // FONTSET_H

#ifndef AUTOSAVETALLY_H
#define AUTOSAVETALLY_H

#include <QString>

// What saving as pictures arrive has done since the connection or since it was turned on.
struct AutoSaveTally
{
    QString folder; // where the pictures go; empty while saving is off
    int written = 0;
    int alreadyThere = 0;
    int failed = 0;
    QString failure; // why the last picture failed, while none has been saved since
};

#endif // AUTOSAVETALLY_H

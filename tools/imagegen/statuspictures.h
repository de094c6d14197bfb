#ifndef STATUSPICTURES_H
#define STATUSPICTURES_H

#include <QImage>

// The connection badge shown on the dark part of the side column.
QImage paintConnected();
QImage paintDisconnected();

#endif // STATUSPICTURES_H

#ifndef DEMOSCENES_H
#define DEMOSCENES_H

#include <QImage>

// A small landscape that differs per index, so the demo device holds pictures that look like
// pictures rather than test bars.
QImage demoScene(int index, int width, int height);

#endif // DEMOSCENES_H

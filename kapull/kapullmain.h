#ifndef KAPULLMAIN_H
#define KAPULLMAIN_H

#include <QStringList>

class QTextStream;

// The whole of kapull once the application object exists: parses the arguments, runs what they ask
// in the event loop and returns the exit status. Used by the program and by the tests.
int runKapull(const QStringList& arguments, QTextStream& out, QTextStream& err, bool progress);

#endif // KAPULLMAIN_H

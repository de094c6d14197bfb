#ifndef PORTLIST_H
#define PORTLIST_H

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

// (port name, description) of every serial port the system offers, in its own order.
using PortList = QList<QPair<QString, QString>>;

// The ports that port discovery looks at: the system's serial ports unless a provider was set.
PortList availablePortList();

// Replaces the system's port list process-wide; an empty function restores it.
// Meant for the tests and the demo, which offer pseudo-terminals as ports.
void setPortListProvider(std::function<PortList()> provider);

#endif // PORTLIST_H

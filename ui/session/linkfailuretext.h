#ifndef LINKFAILURETEXT_H
#define LINKFAILURETEXT_H

#include "device/kalinkfailure.h"

#include <QCoreApplication>
#include <QString>

// What the status column says about a failed connection: a short reason that fits the device
// information line, and the full text with a hint for its tool tip.
class LinkFailureText
{
    Q_DECLARE_TR_FUNCTIONS(LinkFailureText)

public:
    static QString brief(const KaLinkFailure& failure);
    static QString full(const KaLinkFailure& failure);
};

#endif // LINKFAILURETEXT_H

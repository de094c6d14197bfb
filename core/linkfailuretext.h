#ifndef LINKFAILURETEXT_H
#define LINKFAILURETEXT_H

#include "device/kalinkfailure.h"

#include <QCoreApplication>
#include <QString>

// The words for a failed connection, the same in the window and on the command line: a short reason
// that fits the window's device line, and the full text with a hint. Its translations come with
// kacore (CoreTranslations), so every program that links it speaks them.
class LinkFailureText
{
    Q_DECLARE_TR_FUNCTIONS(LinkFailureText)

public:
    static QString brief(const KaLinkFailure& failure);
    static QString full(const KaLinkFailure& failure);
};

#endif // LINKFAILURETEXT_H

#include "core/linkfailuretext.h"

QString LinkFailureText::brief(const KaLinkFailure& failure)
{
    switch (failure.reason) {
    case KaLinkFailure::NoPort:
        return tr("No device found");
    case KaLinkFailure::PortDenied:
        return tr("Port access denied");
    case KaLinkFailure::PortBusy:
        return tr("Port in use");
    case KaLinkFailure::PortGone:
        return tr("Port is gone");
    case KaLinkFailure::PortFailed:
        return tr("Port cannot be opened");
    case KaLinkFailure::NoAnswer:
        return tr("No answer");
    case KaLinkFailure::Lost:
        return tr("Connection lost");
    }
    return QString();
}

QString LinkFailureText::full(const KaLinkFailure& failure)
{
    const QString port = failure.port_name;
    const QString system = failure.port_error_text;
    switch (failure.reason) {
    case KaLinkFailure::NoPort:
        return tr("No port of a CP21xx USB bridge was found. Ports seen: %1. Check the cable and that "
                  "the device is switched on, then press Connect again.")
            .arg(failure.ports_seen.isEmpty() ? tr("none") : failure.ports_seen.join(QStringLiteral(", ")));
    case KaLinkFailure::PortDenied:
        return tr("The port %1 may not be opened by this user (%2). Install the package's udev rule, "
                  "or add your user to the \"dialout\" group, then log out and in again.")
            .arg(port, system);
    case KaLinkFailure::PortBusy:
        return tr("The port %1 is in use by another program (%2). Close that program and press "
                  "Connect again.")
            .arg(port, system);
    case KaLinkFailure::PortGone:
        return tr("The port %1 is no longer there (%2). Plug the device in again and press Connect.")
            .arg(port, system);
    case KaLinkFailure::PortFailed:
        return tr("The port %1 could not be opened (%2).").arg(port, system);
    case KaLinkFailure::NoAnswer:
        return tr("The device on port %1 did not answer within 600 ms. Switch the device on, or "
                  "unplug it and plug it in again, then press Connect again.")
            .arg(port);
    case KaLinkFailure::Lost:
        return tr("The connection on port %1 was lost (%2). Check the cable and press Connect again.")
            .arg(port, system);
    }
    return QString();
}

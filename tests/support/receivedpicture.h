#ifndef RECEIVEDPICTURE_H
#define RECEIVEDPICTURE_H

#include "device/kadevice.h"
#include "protocolframes.h"
#include "simimage.h"

#include <QImage>

// The picture the device library hands on for these pixel bytes, sent as a current picture.
inline QImage receivedPicture(int width, int height, int bpp, const QByteArray& pixels)
{
    SimImage sent;
    sent.width = width;
    sent.height = height;
    sent.bpp = bpp;
    sent.pixels = pixels;
    KaDevice device;
    QImage picture;
    QObject::connect(&device, &KaDevice::s_recv_current_image, [&picture](QImage* image) {
        picture = *image;
        delete image;
    });
    const QByteArray frame = ProtocolFrames::currentImageFrame(sent);
    device.handle_received_bytes(frame.constData(), frame.size());
    return picture;
}

#endif // RECEIVEDPICTURE_H

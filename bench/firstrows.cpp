#include "firstrows.h"

#include "devicesimulator.h"
#include "eventwait.h"
#include "protocolframes.h"
#include "simimage.h"
#include "ui/preview/progressivepreview.h"
#include "ui/session/linksession.h"
#include "windowrig.h"

#include <QVector>

FirstRows measureFirstRows(int pictures)
{
    FirstRows result;
    QList<SimImage> list;
    for (int i = 0; i < pictures; ++i)
        list.append(SimImage::pattern(i + 1, 360, 240, 3));
    WindowRig rig;
    rig.sim.call([&list](DeviceSimulator& sim) {
        sim.setStoredImages(list);
        sim.setPaced(true);
    });
    auto* preview = rig.window.findChild<ProgressivePreview*>();
    auto* session = rig.window.findChild<LinkSession*>();
    if (!rig.ready() || !preview || !session)
        return result;
    // The paced line keeps time, so each header's last byte leaves at a known moment after the request.
    QVector<double> headerMs;
    double wireBytes = 0;
    for (const SimImage& image : list) {
        headerMs.append((wireBytes + ProtocolFrames::storedImageHead(image).size()) * 1000 /
                        DeviceSimulator::lineRate);
        wireBytes += ProtocolFrames::storedImageFrame(image).size();
    }
    QVector<double> firstMs(pictures, -1);
    QVector<int> views(pictures, 0);
    QObject::connect(preview, &ProgressivePreview::viewChanged, [&] {
        const int k = session->frameUnderWay() ? session->frameUnderWay()->index - 1 : -1;
        if (k < 0 || k >= pictures)
            return;
        ++views[k];
        if (firstMs[k] < 0)
            firstMs[k] = (rig.clock.nsecsElapsed() - rig.requestNs) / 1e6 - headerMs[k];
    });
    if (!rig.connect(30000) || !rig.waitRows(pictures, 600000))
        return result;
    result.longestGapMs = rig.watch.longestGapMs();
    double sum = 0;
    for (int k = 0; k < pictures; ++k) {
        if (firstMs[k] < 0)
            return result;
        result.worstFirstMs = qMax(result.worstFirstMs, firstMs[k]);
        sum += firstMs[k];
    }
    result.meanFirstMs = sum / pictures;
    int allViews = 0;
    for (int n : views)
        allViews += n;
    result.viewsPerSecond = allViews / (wireBytes / DeviceSimulator::lineRate);
    result.ok = true;
    return result;
}

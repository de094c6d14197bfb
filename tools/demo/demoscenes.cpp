#include "demoscenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage demoScene(int index, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const int hue = (200 + index * 47) % 360;
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor::fromHsv(hue, 120, 235));
    sky.setColorAt(1, QColor::fromHsv((hue + 30) % 360, 40, 250));
    painter.fillRect(image.rect(), sky);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 160));
    const int sun = height / 6;
    painter.drawEllipse(QPoint(width * (2 + index % 5) / 8, height / 4), sun, sun);

    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath ridge;
        const double base = height * (0.55 + 0.14 * layer);
        ridge.moveTo(0, height);
        for (int x = 0; x <= width; x += width / 12) {
            const double wave = ((x * (3 + layer + index) / 7) % 53) / 53.0;
            ridge.lineTo(x, base - wave * height * (0.22 - 0.05 * layer));
        }
        ridge.lineTo(width, height);
        ridge.closeSubpath();
        painter.setBrush(QColor::fromHsv((hue + 140 + layer * 10) % 360, 90 + layer * 40, 150 - layer * 35));
        painter.drawPath(ridge);
    }
    return image;
}

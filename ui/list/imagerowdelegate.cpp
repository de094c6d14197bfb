#include "ui/list/imagerowdelegate.h"

#include "ui/list/imagerowitem.h"
#include "ui/list/thumbnail.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

const QSize ImageRowDelegate::rowSize(160, 100);

namespace {
// Where the row's number and thumbnail sit, as their labels did when rows were widgets.
const QRect kNumberRect(0, 0, 50, 100);
const QPoint kThumbnailOrigin(50, 0);
const int kFocusFrameWidth = 2;
// The saved mark: a green disc with a white tick under the number.
const QRectF kSavedMark(17, 76, 16, 16);
const QColor kSavedColour(46, 160, 67);

void paintSavedMark(QPainter* painter, const QPointF& origin)
{
    const QRectF disc = kSavedMark.translated(origin);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(kSavedColour);
    painter->drawEllipse(disc);
    painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    const QPointF tick[] = {disc.topLeft() + QPointF(4, 8.5), disc.topLeft() + QPointF(7, 11.5),
                            disc.topLeft() + QPointF(12, 5)};
    painter->drawPolyline(tick, 3);
    painter->restore();
}

} // namespace

ImageRowDelegate::ImageRowDelegate(const QFont& numberFont, QObject* parent)
    : QStyledItemDelegate(parent), numberFont(numberFont)
{
}

void ImageRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    // Background, hover and selection as for an empty item; number and thumbnail go on top.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration);
    // The list keeps the keyboard, but Windows' style would outline the current row with dots.
    background.state &= ~QStyle::State_HasFocus;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const QPoint origin = option.rect.topLeft();
    painter->save();
    painter->setFont(numberFont);
    painter->setPen(Qt::white);
    painter->drawText(kNumberRect.translated(origin), Qt::AlignCenter,
                      index.data(Qt::DisplayRole).toString());
    const QPixmap thumbnail = index.data(Qt::DecorationRole).value<QPixmap>();
    if (!thumbnail.isNull()) {
        // Left and vertically centred, the way a label places its picture.
        const QRect area(kThumbnailOrigin + origin, kThumbnailArea);
        const QSize size = thumbnail.size() / thumbnail.devicePixelRatio();
        const QRect placed =
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter, size, area);
        painter->drawPixmap(placed.topLeft(), thumbnail);
    }
    if (index.data(ImageRowItem::SavedRole).toBool())
        paintSavedMark(painter, origin);
    // Where the keyboard brought the focus, a flat frame shows which row it is on.
    if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange)) {
        painter->setPen(QPen(Qt::white, kFocusFrameWidth));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QSize ImageRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return rowSize;
}

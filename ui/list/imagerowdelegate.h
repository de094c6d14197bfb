#ifndef IMAGEROWDELEGATE_H
#define IMAGEROWDELEGATE_H

#include <QFont>
#include <QStyledItemDelegate>

// Paints a thumbnail row from its item: the picture's number (display role) in white at the left,
// its thumbnail (decoration role) beside it, and a mark under the number once it was saved. Rows
// are painted, not made of widgets, so adding a row costs the same however long the list is.
class ImageRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static const QSize rowSize;

    ImageRowDelegate(const QFont& numberFont, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QFont numberFont;
};

#endif // IMAGEROWDELEGATE_H

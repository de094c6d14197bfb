#ifndef IMAGEROWITEM_H
#define IMAGEROWITEM_H

#include <QCoreApplication>
#include <QListWidgetItem>

// A thumbnail row: the picture's number is its text. A screen reader hears "Picture 5" in the
// window's current language.
class ImageRowItem : public QListWidgetItem
{
    Q_DECLARE_TR_FUNCTIONS(ImageRowItem)

public:
    explicit ImageRowItem(int index);

    QVariant data(int role) const override;
};

#endif // IMAGEROWITEM_H

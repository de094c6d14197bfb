#ifndef IMAGEROWITEM_H
#define IMAGEROWITEM_H

#include <QCoreApplication>
#include <QListWidgetItem>

// A thumbnail row: the picture's number is its text, and whether it was saved its saved role. A
// screen reader hears "Picture 5" or "Picture 5, saved" in the window's current language.
class ImageRowItem : public QListWidgetItem
{
    Q_DECLARE_TR_FUNCTIONS(ImageRowItem)

public:
    static const int SavedRole = Qt::UserRole + 1;

    explicit ImageRowItem(int index);

    QVariant data(int role) const override;
};

#endif // IMAGEROWITEM_H

#ifndef IMAGELISTWIDGET_H
#define IMAGELISTWIDGET_H

#include <QListWidget>
#include <QPersistentModelIndex>

// The thumbnail list: a QListWidget whose rows are all one height, one below the other, so where
// a row is follows from its number. QListView lays out every row again whenever one is added,
// which at 10,000 rows costs more than the picture itself; this list never lays rows out, and
// adding a row costs the same however long the list is. It scrolls a whole row at a time and
// answers clicks, keys and scrolling as QListView does in that arrangement.
class ImageListWidget : public QListWidget
{
    Q_OBJECT

public:
    ImageListWidget(int rowHeight, QWidget* parent);

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

signals:
    // The list's keys moved the current row. Focus also makes a row current, which must not
    // change what the preview shows.
    void signalRowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void verticalScrollbarValueChanged(int value) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    // Rows wholly in view at once; a page is one less, so a row of the old page stays in view.
    int rowsInView() const;
    int rowAt(int y) const;

    const int rowHeight;
    QPersistentModelIndex hovered;
};

#endif // IMAGELISTWIDGET_H

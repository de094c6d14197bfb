#include "ui/list/imagelistwidget.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

ImageListWidget::ImageListWidget(int rowHeight, QWidget* parent) : QListWidget(parent), rowHeight(rowHeight)
{
    // The scroll value is in pixels, always a whole number of rows: QListWidget::scrollToItem goes
    // around scrollTo() to QListView's own, which only works by pixels without a layout.
    setVerticalScrollMode(ScrollPerPixel);
}

int ImageListWidget::rowsInView() const
{
    return qMax(1, viewport()->height() / rowHeight);
}

int ImageListWidget::rowAt(int y) const
{
    const int content = y + verticalOffset();
    if (content < 0)
        return -1;
    const int row = content / rowHeight;
    return row < count() ? row : -1;
}

QRect ImageListWidget::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() ||
        index.column() != modelColumn())
        return QRect();
    return QRect(0, index.row() * rowHeight - verticalOffset(), viewport()->width(), rowHeight);
}

QModelIndex ImageListWidget::indexAt(const QPoint& point) const
{
    const int row = rowAt(point.y());
    if (row < 0 || point.x() < 0 || point.x() >= viewport()->width())
        return QModelIndex();
    return model()->index(row, modelColumn(), rootIndex());
}

void ImageListWidget::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const QRect rect = visualRect(index);
    if (!rect.isValid())
        return;
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible && area.contains(rect)) {
        viewport()->update(rect);
        return;
    }
    int top = verticalScrollBar()->value() / rowHeight;
    if (hint == PositionAtTop || (hint == EnsureVisible && rect.top() < area.top()))
        top = index.row();
    else if (hint == PositionAtBottom || (hint == EnsureVisible && rect.bottom() > area.bottom()))
        top = index.row() - rowsInView() + 1;
    else if (hint == PositionAtCenter)
        top = index.row() - rowsInView() / 2;
    verticalScrollBar()->setValue(top * rowHeight);
}

void ImageListWidget::doItemsLayout()
{
    // Skips QListView's layout of every row: there is nothing to lay out.
    QAbstractItemView::doItemsLayout();
}

void ImageListWidget::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    const int top = verticalOffset() / rowHeight;
    if (end >= top && start <= top + rowsInView())
        viewport()->update();
}

void ImageListWidget::updateGeometries()
{
    // A whole row at the top, and the last page may end with a gap.
    const int rows = count();
    const int page = rowsInView();
    verticalScrollBar()->setSingleStep(rowHeight);
    verticalScrollBar()->setPageStep(page * rowHeight);
    verticalScrollBar()->setRange(0, rows * rowHeight > viewport()->height() ? (rows - page) * rowHeight : 0);
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void ImageListWidget::scrollContentsBy(int dx, int dy)
{
    // A few rows are painted afresh rather than moved: a value snapped to a row while it changes
    // arrives as two steps.
    Q_UNUSED(dx)
    Q_UNUSED(dy)
    viewport()->update();
}

void ImageListWidget::verticalScrollbarValueChanged(int value)
{
    // Pixels from QListView's scrollTo() round up to the next row, which keeps the row in view.
    const int whole = (value + rowHeight - 1) / rowHeight * rowHeight;
    if (whole != value) {
        verticalScrollBar()->setValue(whole);
        return;
    }
    QListWidget::verticalScrollbarValueChanged(value);
}

int ImageListWidget::horizontalOffset() const
{
    return 0;
}

int ImageListWidget::verticalOffset() const
{
    return verticalScrollBar()->value();
}

void ImageListWidget::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const int row = currentRow();
    if (row < 0)
        return;
    if (row == before) {
        // Focus makes a row current without choosing it; a move that stays on it chooses it still.
        const QList<int> moves{Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                               Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        if (item(row)->isSelected() || !moves.contains(event->key()))
            return;
        setCurrentRow(row);
    }
    emit signalRowChosen(row);
}

QModelIndex ImageListWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    Q_UNUSED(modifiers)
    const int rows = count();
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    if (current.isValid()) {
        const int page = qMax(1, rowsInView() - 1);
        switch (action) {
        case MoveUp:
        case MovePrevious:
            --row;
            break;
        case MoveDown:
        case MoveNext:
            ++row;
            break;
        case MovePageUp:
            row -= page;
            break;
        case MovePageDown:
            row += page;
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = rows - 1;
            break;
        case MoveLeft:
        case MoveRight:
            break; // one column
        }
    }
    return model()->index(qBound(0, row, rows - 1), modelColumn(), rootIndex());
}

void ImageListWidget::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const int offset = verticalOffset();
    QItemSelection selection;
    if (area.bottom() + offset >= 0) {
        const int first = qMax(0, (area.top() + offset) / rowHeight);
        const int last = qMin(count() - 1, (area.bottom() + offset) / rowHeight);
        if (first <= last)
            selection.select(model()->index(first, modelColumn(), rootIndex()),
                             model()->index(last, modelColumn(), rootIndex()));
    }
    selectionModel()->select(selection, command);
}

QRegion ImageListWidget::visualRegionForSelection(const QItemSelection& selection) const
{
    const int top = verticalOffset() / rowHeight;
    const int bottom = top + rowsInView(); // the partly shown row below the whole ones
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn() || range.right() < modelColumn())
            continue;
        const int first = qMax(range.top(), top);
        const int last = qMin(range.bottom(), bottom);
        if (first <= last)
            region +=
                QRect(0, (first - top) * rowHeight, viewport()->width(), (last - first + 1) * rowHeight);
    }
    return region;
}

void ImageListWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    QStyleOptionViewItem option = viewOptions();
    const QStyle::State state = option.state;
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const int offset = verticalOffset();
    const int first = qMax(0, (event->rect().top() + offset) / rowHeight);
    const int last = qMin(count() - 1, (event->rect().bottom() + offset) / rowHeight);
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
        option.rect = visualRect(index);
        option.state = state;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (state & QStyle::State_Enabled) {
            const bool rowEnabled = model()->flags(index) & Qt::ItemIsEnabled;
            option.state.setFlag(QStyle::State_Enabled, rowEnabled);
            option.palette.setCurrentColorGroup(rowEnabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && index == current) {
            option.state |= QStyle::State_HasFocus;
            option.state.setFlag(QStyle::State_Editing, this->state() == EditingState);
        }
        option.state.setFlag(QStyle::State_MouseOver, index == hovered);
        itemDelegate(index)->paint(&painter, option, index);
    }
}

bool ImageListWidget::viewportEvent(QEvent* event)
{
    // QAbstractItemView keeps the row under the mouse to itself; the painting needs it too.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        hovered = indexAt(static_cast<QHoverEvent*>(event)->pos());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        hovered = QModelIndex();
        break;
    default:
        break;
    }
    return QListWidget::viewportEvent(event);
}

// QListView tells assistive tools which row changed by its place in its own layout, which this
// list does not keep: the row number is that place.
void ImageListWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (QAccessible::isActive() && current.isValid()) {
        QAccessibleEvent focusEvent(this, QAccessible::Focus);
        focusEvent.setChild(current.row());
        QAccessible::updateAccessibility(&focusEvent);
    }
    QAbstractItemView::currentChanged(current, previous);
}

void ImageListWidget::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (QAccessible::isActive()) {
        const QModelIndex added = selected.indexes().value(0);
        if (added.isValid()) {
            QAccessibleEvent addEvent(this, QAccessible::SelectionAdd);
            addEvent.setChild(added.row());
            QAccessible::updateAccessibility(&addEvent);
        }
        const QModelIndex removed = deselected.indexes().value(0);
        if (removed.isValid()) {
            QAccessibleEvent removeEvent(this, QAccessible::SelectionRemove);
            removeEvent.setChild(removed.row());
            QAccessible::updateAccessibility(&removeEvent);
        }
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

#include "console/CueList.h"

#include <QMouseEvent>
#include <QScrollBar>

namespace {
constexpr int kFollowLines = 10;
}

CCueList::CCueList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void CCueList::Follow(int row)
{
    m_quiet = true;
    setCurrentRow(row >= 0 && row < count() ? row : -1);
    m_quiet = false;
    QScrollBar* scroll = verticalScrollBar();  // per item: its value is the top line
    if (scroll->value() + kFollowLines < row)
        scroll->setValue(row - kFollowLines);
}

void CCueList::mousePressEvent(QMouseEvent* event)
{
    // Only a left click on a line chooses; other presses leave the highlight alone.
    const QModelIndex line = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !line.isValid()) {
        event->accept();
        return;
    }
    m_quiet = true;  // the press selects the line; the click below is the one choice
    QListWidget::mousePressEvent(event);
    m_quiet = false;
    emit LineChosen(line.row());
}

void CCueList::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging over the list would select, and so start, every line it crosses.
    if (event->buttons() & Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void CCueList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListWidget::selectionChanged(selected, deselected);
    const QModelIndexList lines = selected.indexes();
    if (!m_quiet && !signalsBlocked() && !lines.isEmpty())
        emit LineChosen(lines.first().row());
}

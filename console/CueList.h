#pragma once
// The console's cue list. Every left click on a line, and every line the
// keyboard selects, is the operator choosing that cue, even when the line is
// already highlighted; the show moving its highlight is not.

#include <QListWidget>

class CCueList : public QListWidget {
    Q_OBJECT
public:
    explicit CCueList(QWidget* parent = nullptr);

    // Highlights the line of the cue the show is on without choosing it, and
    // keeps it at most ten lines below the top line. -1 highlights nothing.
    void Follow(int row);

signals:
    void LineChosen(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    bool m_quiet = false;  // selection changes that are not a choice of their own
};

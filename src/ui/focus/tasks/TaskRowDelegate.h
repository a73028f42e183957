#pragma once

#include "TaskRowLayout.h"

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

#include <optional>

class TaskListModel;

// Paints a task row (status mark, title, focus and completion lines, hover controls, badge)
// and edits its title in place. Rows are painted, not built: a row costs nothing while it is
// off screen.
class TaskRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TaskRowDelegate(TaskListModel &model, QObject *parent = nullptr);

    // The row's parts within `rect`, as painted for a view.
    TaskRowLayout layout(const QWidget &view, const QRect &rect, int row, bool controlsShown) const;
    // The part the mouse holds down, drawn pressed.
    void setPressed(const QPersistentModelIndex &index, TaskRowLayout::Part part);
    // The view's style or font changed: measure again.
    void forgetMetrics() { m_metrics.reset(); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    const TaskRowMetrics &metrics(const QWidget &view) const;

    TaskListModel &m_model;
    mutable std::optional<TaskRowMetrics> m_metrics;
    QPersistentModelIndex m_pressedIndex;
    TaskRowLayout::Part m_pressedPart = TaskRowLayout::Part::none;
};

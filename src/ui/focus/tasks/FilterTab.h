#pragma once

#include <QAbstractButton>

#include <functional>

// A tab of the task card: the title and, when above zero, the count in a small badge.
// It keeps no state: the board tells it whether it is selected. Tab reaches it; Left and Right
// move to the tab beside and choose it.
class FilterTab : public QAbstractButton {
    Q_OBJECT
public:
    FilterTab(const QString &title, qint64 count, bool isSelected, std::function<void()> action,
              QWidget *parent = nullptr);

    void setCount(qint64 count);
    qint64 count() const { return m_count; }
    void setSelected(bool selected);
    bool isSelected() const { return m_isSelected; }
    // Whether the count badge is drawn.
    bool showsBadge() const { return m_count > 0; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QFont titleFont() const;
    QRect badgeRect(const QRect &label) const;

    qint64 m_count;
    bool m_isSelected;
    std::function<void()> m_action;
};

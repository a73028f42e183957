#pragma once

#include <QAbstractButton>

// A rounded choice button: semibold on an accent tint when selected, regular on faint grey
// otherwise.
class ChoiceChip : public QAbstractButton {
    Q_OBJECT
public:
    explicit ChoiceChip(const QString &text, QWidget *parent = nullptr);

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont chipFont() const;

    bool m_selected = false;
};

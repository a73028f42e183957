#pragma once

#include "ui/common/style/ColorRole.h"

#include <QAbstractButton>

#include <functional>

// One entry of the tray panel: a symbol in a 16-point column, the text, and a rounded
// highlight while the pointer is over the row.
class MenuButton : public QAbstractButton {
    Q_OBJECT
public:
    MenuButton(const QString &icon, const QString &text, std::function<void()> action, QWidget *parent = nullptr);

    QString icon() const { return m_icon; }
    bool isHovered() const { return m_isHovered; }
    void setColorRole(ColorRole color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_icon;
    std::function<void()> m_action;
    ColorRole m_color = ColorRole::primary;
    bool m_isHovered = false;
};

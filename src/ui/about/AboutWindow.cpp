#include "AboutWindow.h"

#include <QLabel>
#include <QVBoxLayout>

AboutWindow::AboutWindow(const ViewFactories::Factory &makeContent, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_content(makeContent ? makeContent(this) : nullptr)
{
    setObjectName(kIdentifier);
    setWindowTitle(kTitle);
    setWindowRole(kIdentifier);
    if (!m_content) {
        auto *label = new QLabel(QStringLiteral("Pelmix\nVersion 1.0"), this);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumSize(500, 450);
        m_content = label;
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::bringToFront()
{
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

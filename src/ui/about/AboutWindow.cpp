#include "AboutWindow.h"

#include <QVBoxLayout>

AboutWindow::AboutWindow(OnboardingView::Services services, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_content(new OnboardingView(std::move(services), true, [this] { close(); }))
{
    setObjectName(kIdentifier);
    setWindowTitle(kTitle);
    setWindowRole(kIdentifier);
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

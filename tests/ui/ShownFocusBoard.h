#pragma once

#include "activity/ActivityMonitor.h"
#include "support/FakeApp.h"
#include "ui/FocusBoardContent.h"

#include <QTest>

#include <memory>

// The focus board over the fake application, shown at the main view's size.
inline std::unique_ptr<FocusBoardContent> showFocusBoard(FakeApp &app)
{
    auto board = std::make_unique<FocusBoardContent>(app.todos, app.appState, app.appState.workTimer(),
                                                     app.appState.activityMonitor(), app.settings, app.fake.mainLoop);
    board->resize(700, 600);
    board->show();
    if (!QTest::qWaitForWindowExposed(board.get()))
        return nullptr;
    return board;
}

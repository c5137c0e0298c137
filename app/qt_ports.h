#pragma once
// The Qt side of the engine's message boxes, blocking wait and screen size.

#include "engine/exercise_ports.h"
#include "windows/window_geometry.h"

namespace kestrani {

class QtMessageBoxes : public MessageBoxes {
public:
    void showInformation(std::string_view text) override;
};

// Puts the windows as they now stand on the screen, then blocks the GUI
// thread; events that arrive meanwhile wait in the queue.
class QtBlockingWait : public BlockingWait {
public:
    void waitBlocking(int milliseconds) override;
};

class QtScreenMetrics : public ScreenMetrics {
public:
    ScreenSize screenSize() const override;
};

}  // namespace kestrani

#pragma once
// Fitting a framed window (the configuration window, the instructions window)
// to the screen by its outer size, with the frame the desktop gives it, and
// scaling its contents to the client area it is actually given.

#include <optional>

#include "windows/window_geometry.h"

namespace kestrani {

// The frame's widths around the client area; top holds the title bar.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// The client area the framed windows are laid out in on the design screen.
inline constexpr int designClientWidth = 790;
inline constexpr int designClientHeight = 545;

// designScale of the screen, made smaller where the client area given holds
// less than the design client area at that scale, so nothing is clipped under
// a tall title bar. Precondition: all four sizes are positive.
DesignScale framedWindowScale(ScreenSize screen, int clientWidth, int clientHeight);

// What the program last set for one window, and when it must set it again.
class FramedWindowFit {
public:
    struct Placement {
        int frameLeft = 0;  // the frame's top-left corner
        int frameTop = 0;
        int clientWidth = 0;
        int clientHeight = 0;
        friend bool operator==(const Placement&, const Placement&) = default;
    };

    // Puts the window's outer rectangle at outer, with the frame as now
    // known, and remembers it as what the program set.
    Placement place(ScreenSize screen, WindowRect outer, FrameMargins frame);

    bool placed() const { return last_.has_value(); }

    // On showing or activating: a window never placed, on another screen size,
    // or whose outer size is no longer what the program set (the user resized
    // it) is placed again; one the desktop maximized is left so, and one the
    // user only moved stays where it is. A placement it asks for starts a new
    // round of corrections.
    bool needsPlacing(ScreenSize screen, int outerWidth, int outerHeight, bool maximized) const;
    void startRound() { placementsInRound_ = 0; }

    // The desktop's frame, known only once the window is on the screen, is
    // not the one the last placement allowed for.
    bool frameChanged(FrameMargins frame) const;

    // Once the desktop's answer to a placement has settled: a window that
    // does not stand as set (its frame became known and was added outside,
    // or the desktop put the client area at the place asked for) is placed
    // again, a few times at most in one round; a desktop that still keeps
    // its own idea of the window after that is left with it, since asking
    // again would only fight it.
    bool needsPlacingAgain(WindowRect outer) const;

    static constexpr int placementsPerRound = 3;

private:
    struct Set {
        ScreenSize screen;
        WindowRect outer;
        FrameMargins frame;
    };
    std::optional<Set> last_;
    int placementsInRound_ = 0;
};

}  // namespace kestrani

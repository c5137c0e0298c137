// Times the start-up: from starting the program until both its windows, the
// configuration window and the instructions window in front of it, are
// painted on the screen. Median of 10 runs. Run in an X server of
// 1024 × 768 with the program's path, e.g.:
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/startup_benchmark build/app/kestrani

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

bool isGrey(Display* display, Window root, int x, int y) {
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return (pixel & 0xFFFFFF) == 0x808080;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s path-to-kestrani\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // The instructions window's margin left of its buttons, and the configuration
    // window's right-most column, which the instructions window leaves free.
    const int frontX = 4, frontY = 700, backX = 1023, backY = 300;

    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execl(argv[1], argv[1], static_cast<char*>(nullptr));
            _exit(127);
        }
        while (!(isGrey(display, root, frontX, frontY) && isGrey(display, root, backX, backY)))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        // Wait until the screen is empty again.
        while (isGrey(display, root, backX, backY))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up until both windows are painted: median %.1f ms (fastest %.1f, slowest %.1f)\n",
                times[times.size() / 2], times.front(), times.back());
    XCloseDisplay(display);
    return 0;
}

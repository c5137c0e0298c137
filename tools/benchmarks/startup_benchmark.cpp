// Times the start-up: from starting the program until both its windows, the
// configuration window and the instructions window in front of it, are
// painted on the screen, the instructions window at its fitted size; and the
// processor time the program used until then. Median of 10 runs of each
// program given, taken in turn so that they share the machine's load. Run in
// an X server of 1024 × 768, e.g.:
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/startup_benchmark
//       build/app/kestrani build/tools/benchmarks/bare_window   (one line)
// tools/benchmarks/bare_window paints the same marks with the toolkit alone.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
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

// Whether the box holds a pixel of pure lime.
bool hasLime(Display* display, Window root, int x, int y, int width, int height) {
    XImage* image = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool found = false;
    for (int row = 0; row < height && !found; ++row)
        for (int column = 0; column < width && !found; ++column)
            found = (XGetPixel(image, column, row) & 0xFFFFFF) == 0x00FF00;
    XDestroyImage(image);
    return found;
}

struct Timings {
    std::vector<double> wall;
    std::vector<double> processor;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program...\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // The right half of the instructions window's lime title "Kestrani 1.01",
    // where the title stands once the window is fitted to the screen (at its
    // design size the title ends further left), and the configuration
    // window's right-most column, which the instructions window leaves free.
    const int titleX = 450, titleY = 20, titleWidth = 110, titleHeight = 35, backX = 1023, backY = 300;
    auto bothPainted = [&] {
        return isGrey(display, root, backX, backY) && hasLime(display, root, titleX, titleY, titleWidth, titleHeight);
    };

    std::vector<Timings> timings(static_cast<std::size_t>(argc - 1));
    for (int run = 0; run < 10; ++run)
        for (int program = 1; program < argc; ++program) {
            const auto start = std::chrono::steady_clock::now();
            const pid_t child = fork();
            if (child == 0) {
                execl(argv[program], argv[program], static_cast<char*>(nullptr));
                _exit(127);
            }
            int status = 0;
            while (!bothPainted()) {
                if (waitpid(child, &status, WNOHANG) == child) {
                    std::fprintf(stderr, "%s ended before painting its windows\n", argv[program]);
                    return 1;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            Timings& t = timings[static_cast<std::size_t>(program - 1)];
            t.wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            kill(child, SIGKILL);
            rusage usage{};
            wait4(child, nullptr, 0, &usage);
            t.processor.push_back((usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                                  (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
            // Wait until the screen is empty again.
            while (isGrey(display, root, backX, backY))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    for (int program = 1; program < argc; ++program) {
        const Timings& t = timings[static_cast<std::size_t>(program - 1)];
        std::printf("%s: until both windows are painted median %.1f ms (fastest %.1f), processor time %.1f ms\n",
                    argv[program], median(t.wall), *std::min_element(t.wall.begin(), t.wall.end()), median(t.processor));
    }
    XCloseDisplay(display);
    return 0;
}

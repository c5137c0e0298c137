#pragma once
// Hand-written fakes of the engine's screen interfaces: every call is recorded
// so that tests can check what reached the windows, in which order.

#include <functional>
#include <string>
#include <vector>

#include "engine/exercise_ports.h"
#include "windows/window_geometry.h"

namespace kestrani::fakes {

struct DrawCall {
    enum Kind { Brush, Pen, Rectangle, Ellipse, MoveTo, LineTo, Present, Flush } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour{};
    friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

class FakeSurface : public DrawingSurface {
public:
    std::vector<DrawCall> calls;
    void setBrushColour(Rgb c) override { calls.push_back({DrawCall::Brush, 0, 0, 0, 0, c}); }
    void setPenColour(Rgb c) override { calls.push_back({DrawCall::Pen, 0, 0, 0, 0, c}); }
    void rectangle(int x1, int y1, int x2, int y2) override { calls.push_back({DrawCall::Rectangle, x1, y1, x2, y2}); }
    void ellipse(int x1, int y1, int x2, int y2) override { calls.push_back({DrawCall::Ellipse, x1, y1, x2, y2}); }
    void moveTo(int x, int y) override { calls.push_back({DrawCall::MoveTo, x, y}); }
    void lineTo(int x, int y) override { calls.push_back({DrawCall::LineTo, x, y}); }
    void present() override { calls.push_back({DrawCall::Present}); }
    void flush() override { calls.push_back({DrawCall::Flush}); }

    // The calls of one kind only.
    std::vector<DrawCall> only(DrawCall::Kind kind) const;
};

// Every window operation of every fake window, in order, as "name:operation".
using EventLog = std::vector<std::string>;

class FakeDrawingWindow : public DrawingWindow {
public:
    FakeDrawingWindow(std::string name, EventLog& log, int width, int height)
        : name(std::move(name)), log_(log), width_(width), height_(height) {}

    void show() override;
    void close() override;
    void setBackgroundColour(Rgb colour) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    DrawingSurface& surface() override { return surface_; }

    void resize(int width, int height) { width_ = width, height_ = height; }
    FakeSurface& fakeSurface() { return surface_; }

    std::string name;
    bool visible = false;
    Rgb background{};

private:
    EventLog& log_;
    int width_;
    int height_;
    FakeSurface surface_;
};

class FakeBackdrop : public Backdrop {
public:
    explicit FakeBackdrop(EventLog& log) : log_(log) {}
    void show() override;
    void close() override;
    void setUpperPrompt(std::string_view text) override;
    void setLowerPrompt(std::string_view text) override;

    bool visible = false;
    std::string upperPrompt = "Выберите и запомните эталон";
    std::string lowerPrompt;

private:
    EventLog& log_;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    explicit FakeMessageBoxes(EventLog& log) : log_(log) {}
    void showInformation(std::string_view text) override;

    std::vector<std::string> shown;
    int openBoxes = 0;
    // Runs while the box is "open", as the nested event loop of a modal box would.
    std::function<void()> whileOpen;

private:
    EventLog& log_;
};

class FakeBlockingWait : public BlockingWait {
public:
    explicit FakeBlockingWait(EventLog& log) : log_(log) {}
    void waitBlocking(int milliseconds) override;
    std::vector<int> waits;
    // Runs during every wait, as the user goes on acting meanwhile.
    std::function<void(int milliseconds)> whileWaiting;

private:
    EventLog& log_;
};

class FakeScreen : public ScreenMetrics {
public:
    explicit FakeScreen(ScreenSize size) : size(size) {}
    ScreenSize screenSize() const override { return size; }
    // The screen takes another size and says so, as a monitor does when its
    // resolution changes.
    void change(ScreenSize to) {
        size = to;
        notifyChange();
    }
    ScreenSize size;
};

}  // namespace kestrani::fakes

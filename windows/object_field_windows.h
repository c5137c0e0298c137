#pragma once
// The object fields: the left card TForm2, the right card TForm1 and the
// single-object field TForm4. They paint nothing but their background and what
// the engine draws on them.

#include <cstdint>
#include <functional>
#include <optional>

#include "windows/click_routing.h"
#include "windows/surface_widget.h"
#include "windows/window_geometry.h"

namespace kestrani {

class ObjectFieldWindow : public SurfaceWidget {
public:
    using GeometryRule = WindowRect (*)(ScreenSize);

    ObjectFieldWindow(const QString& caption, QColor background, const ScreenMetrics& screen, ExerciseScreen& host,
                      GeometryRule rule);

    void setRouter(ClickRouter* router) { router_ = router; }

protected:
    void fitToScreen() override;
    ClickRouter* router() const { return router_; }

private:
    const ScreenMetrics& screen_;
    GeometryRule rule_;
    ClickRouter* router_ = nullptr;
};

// Cards answer a left click when the button is released over them.
class CardWindow : public ObjectFieldWindow {
public:
    CardWindow(const QString& caption, Sender sender, const ScreenMetrics& screen, ExerciseScreen& host, GeometryRule rule);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Sender sender_;
    std::optional<std::uint64_t> pressTime_;  // the answer is dated by its press
};

class TForm2 : public CardWindow {
public:
    TForm2(const ScreenMetrics& screen, ExerciseScreen& host);
};

class TForm1 : public CardWindow {
public:
    TForm1(const ScreenMetrics& screen, ExerciseScreen& host);
};

// The single field answers at the moment a button goes down.
class TForm4 : public ObjectFieldWindow {
public:
    TForm4(const ScreenMetrics& screen, ExerciseScreen& host);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

MouseButton toMouseButton(Qt::MouseButton button);

}  // namespace kestrani

#pragma once
// On a scaled Wayland output the toolkit hands the compositor whole output
// pixels of several device pixels each. A widget repainted alone whose edge
// falls inside an output pixel leaves the rest of that output pixel stale, so
// while this filter is installed on the application every child widget is
// widened to the whole output pixels round it.

#include <QObject>

namespace kestrani {

class OutputPixelGrid : public QObject {
public:
    // Precondition: outputPixel is at least 1.
    explicit OutputPixelGrid(int outputPixel) : outputPixel_(outputPixel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int outputPixel_;
};

}  // namespace kestrani

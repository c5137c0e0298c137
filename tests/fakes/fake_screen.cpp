#include "fakes/fake_screen.h"

namespace kestrani::fakes {

std::vector<DrawCall> FakeSurface::only(DrawCall::Kind kind) const {
    std::vector<DrawCall> result;
    for (const DrawCall& call : calls)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

void FakeDrawingWindow::show() {
    visible = true;
    log_.push_back(name + ":show");
}

void FakeDrawingWindow::close() {
    visible = false;
    log_.push_back(name + ":close");
}

void FakeDrawingWindow::setBackgroundColour(Rgb colour) {
    background = colour;
    log_.push_back(name + ":background");
}

void FakeBackdrop::show() {
    visible = true;
    log_.push_back("TForm3:show");
}

void FakeBackdrop::close() {
    visible = false;
    log_.push_back("TForm3:close");
}

void FakeBackdrop::setUpperPrompt(std::string_view text) {
    upperPrompt = text;
    log_.push_back("Label1:" + upperPrompt);
}

void FakeBackdrop::setLowerPrompt(std::string_view text) {
    lowerPrompt = text;
    log_.push_back("Label2:" + lowerPrompt);
}

void FakeMessageBoxes::showInformation(std::string_view text) {
    shown.emplace_back(text);
    log_.push_back("message:" + std::string(text));
    ++openBoxes;
    if (whileOpen)
        whileOpen();
    --openBoxes;
}

void FakeBlockingWait::waitBlocking(int milliseconds) {
    waits.push_back(milliseconds);
    log_.push_back("wait:" + std::to_string(milliseconds));
    if (whileWaiting)
        whileWaiting(milliseconds);
}

}  // namespace kestrani::fakes

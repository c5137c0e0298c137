#include "windows/backdrop_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "windows/design_scaling.h"
#include "windows/object_field_windows.h"
#include "windows/readable_text.h"

namespace kestrani {

TForm3::TForm3(const ScreenMetrics& screen, ExerciseScreen& host) : QWidget(&host), screen_(screen), host_(host) {
    hide();
    setWindowTitle(QStringLiteral("Form3"));
    setGeometry(0, 0, 790, 545);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    // The prompts in the system's text colour, where it reads on the grey.
    const QColor text = palette.color(QPalette::WindowText);
    const Rgb prompt = readableTextColour(
        {std::uint8_t(text.red()), std::uint8_t(text.green()), std::uint8_t(text.blue())}, darkGrey);
    palette.setColor(QPalette::WindowText, QColor(prompt.red, prompt.green, prompt.blue));
    setPalette(palette);
    host.setOutsideColour(palette.color(QPalette::Window));
    setFont(designFont(sansSerifFamily, 11));

    Label1 = new QLabel(QStringLiteral("Выберите и запомните эталон"), this);
    Label1->setFont(designFont(timesFamily, 16));
    Label1->move(147, 520);
    Label1->adjustSize();
    Label2 = new QLabel(this);
    Label2->setFont(designFont(timesFamily, 16));
    Label2->move(147, 544);
    Label2->adjustSize();

    Button1 = new QPushButton(QStringLiteral("Новое упражнение"), this);
    Button1->setFont(designFont(timesFamily, 11));
    Button1->setGeometry(16, 528, 129, 25);
    Button2 = new QPushButton(QStringLiteral("Выйти из упражнения"), this);
    Button2->setFont(designFont(timesFamily, 11));
    Button2->setGeometry(624, 528, 161, 25);
    design_.emplace(*this);
}

void TForm3::setRouter(ClickRouter* router, ExerciseActions* actions) {
    router_ = router;
    connect(Button1, &QPushButton::clicked, this, [actions] { actions->newExercise(); });
    connect(Button2, &QPushButton::clicked, this, [actions] { actions->leaveExercise(); });
}

void TForm3::show() {
    if (isHidden()) {
        fitToScreen();
        QWidget::show();
    }
    raise();
    host_.bringUp();
}

void TForm3::close() {
    hide();
    host_.takeDown();
}

void TForm3::fitToScreen() {
    const ScreenSize screen = screen_.screenSize();
    if (backdropIsFitted(setWidth_, screen))
        return;
    design_->scaleTo(backdropScale(screen));
    Label1->adjustSize();
    Label2->adjustSize();
    const WindowRect g = backdropGeometry(screen);
    setGeometry(g.left, g.top, g.width, g.height);
    setWidth_ = g.width;
}

void TForm3::screenChanged() {
    if (isVisible())
        fitToScreen();
}

void TForm3::setUpperPrompt(std::string_view text) {
    Label1->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    Label1->adjustSize();
}

void TForm3::setLowerPrompt(std::string_view text) {
    Label2->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    Label2->adjustSize();
}

void TForm3::mousePressEvent(QMouseEvent* event) {
    raise();
    activateWindow();
    pressTime_ = event->timestamp();
}

void TForm3::mouseReleaseEvent(QMouseEvent* event) {
    const std::uint64_t pressTime = pressTime_.value_or(event->timestamp());
    pressTime_.reset();
    const QPoint at = event->position().toPoint();
    if (router_ && rect().contains(at) && !childAt(at))
        router_->backdropClicked(toMouseButton(event->button()), pressTime);
}

}  // namespace kestrani

#include "config/configuration_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>

#include "engine/exercise_engine.h"
#include "help/instructions_window.h"
#include "windows/design_scaling.h"

namespace kestrani {

TKestrani::TKestrani(const ScreenMetrics& screen, ExerciseState& state, MessageBoxes& messages)
    : QWidget(nullptr, Qt::Window), screen_(screen), state_(state), messages_(messages) {
    setWindowTitle(QStringLiteral("Kestrani 1.01 rus"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);
    setFont(designFont(sansSerifFamily, 11));
    setGeometry(5, 2, 812, 572);

    Button3 = new QPushButton(QStringLiteral("Инструкции"), this);
    Button3->setGeometry(624, 448, 153, 25);
    Button1 = new QPushButton(QStringLiteral("Упражнения"), this);
    Button1->setGeometry(624, 480, 153, 25);
    Button2 = new QPushButton(QStringLiteral("Завершить работу"), this);
    Button2->setGeometry(624, 512, 153, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { openHelp(HelpPage::Instructions); });
}

void TKestrani::connectWindows(ExerciseEngine* engine, TForm5* instructions, std::vector<QWidget*> closedOnFinish) {
    engine_ = engine;
    instructions_ = instructions;
    closedOnFinish_ = std::move(closedOnFinish);
}

void TKestrani::Button1Click() { engine_->startExercise(); }

void TKestrani::Button2Click() {
    messages_.showInformation("До свидания!");
    close();
    for (QWidget* window : closedOnFinish_)
        window->close();
}

void TKestrani::openHelp(HelpPage page) { instructions_->openPage(page); }

void TKestrani::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

}  // namespace kestrani

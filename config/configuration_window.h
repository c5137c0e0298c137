#pragma once
// TKestrani: the configuration window. It owns every setting, starts
// exercises, opens the help pages and ends the program.

#include <QWidget>

#include "config/exercise_settings.h"
#include "engine/exercise_state.h"
#include "help/help_page.h"
#include "windows/window_geometry.h"

class QPushButton;

namespace kestrani {

class ExerciseEngine;
class MessageBoxes;
class TForm5;

class TKestrani : public QWidget {
public:
    TKestrani(const ScreenMetrics& screen, ExerciseState& state, MessageBoxes& messages);

    const ExerciseSettings& settings() const { return settings_; }
    // Set once the windows created after this one exist.
    void connectWindows(ExerciseEngine* engine, TForm5* instructions, std::vector<QWidget*> closedOnFinish);

    QPushButton* Button1;  // "Упражнения"
    QPushButton* Button2;  // "Завершить работу"
    QPushButton* Button3;  // "Инструкции"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Button1Click();
    void Button2Click();
    void openHelp(HelpPage page);

    const ScreenMetrics& screen_;
    ExerciseState& state_;
    MessageBoxes& messages_;
    ExerciseSettings settings_;
    ExerciseEngine* engine_ = nullptr;
    TForm5* instructions_ = nullptr;
    std::vector<QWidget*> closedOnFinish_;
};

}  // namespace kestrani

#pragma once
// TKestrani: the configuration window. It owns every setting, starts
// exercises, opens the help pages and ends the program. Every user action is
// forwarded to the configuration model; the controls then show what the
// model's rules made of it.

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "config/configuration_model.h"
#include "engine/exercise_state.h"
#include "help/help_page.h"
#include "windows/framed_window.h"
#include "windows/window_geometry.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrani {

class ClickableImage;
class ExerciseEngine;
class MessageBoxes;
class SlotCheckBox;
class SpinButton;
class TForm5;

class TKestrani : public QWidget, private AvailabilityListener {
public:
    TKestrani(const ScreenMetrics& screen, ExerciseState& state, MessageBoxes& messages);

    // The live record the engine reads.
    const ExerciseSettings& settings() const { return model_.settings(); }
    // Set once the windows created after this one exist.
    void connectWindows(ExerciseEngine* engine, TForm5* instructions, std::vector<QWidget*> closedOnFinish);
    // A window made later that "Завершить работу" closes too, after the others.
    void closeOnFinish(QWidget* window) { closedOnFinish_.push_back(window); }

    // The screen has changed: the window on the screen is laid out for it now,
    // a hidden one when it is next shown.
    void screenChanged();

    // The check box of a slot of the grid.
    QCheckBox* slotBox(SlotRole role, Submodality row) const;

    QGroupBox* GroupBox1;    // "Субмодальности"
    QGroupBox* RadioGroup1;  // "Вид упражнения"
    QGroupBox* RadioGroup2;  // "Вид объекта"
    QGroupBox* GroupBox2;    // "Длительность фаз упражнения"
    QGroupBox* GroupBox3;    // "Усложнения"
    QGroupBox* GroupBox5;    // standard colours
    std::array<QRadioButton*, 4> exerciseKindItems{};  // RadioGroup1, by ExerciseKind − 1
    std::array<QRadioButton*, 5> objectKindItems{};    // RadioGroup2, by ObjectKind

    QCheckBox* CheckBox28;  // "Показ эталона"
    QCheckBox* CheckBox29;  // "Задержка"
    QCheckBox* CheckBox30;  // "Показ объектов"
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLabel* Label10;
    QLabel* Label14;
    QLabel* Label13;

    QCheckBox* CheckBox32;  // "Немонотонность (цвет)"
    QCheckBox* CheckBox31;  // "Разбивка"
    QCheckBox* CheckBox36;  // "Переменный фон"

    QCheckBox* CheckBox37;  // "Номер эталона"
    QLineEdit* Edit4;
    SpinButton* SpinButton1;
    QLabel* Label11;
    QFrame* Panel1;

    QLabel* Image2;          // logo
    ClickableImage* Image1;  // "Настройка монитора"
    QPushButton* Button1;    // "Упражнения"
    QPushButton* Button2;    // "Завершить работу"
    QPushButton* Button3;    // "Инструкции"
    QPushButton* Button9;    // "Результаты"
    QPushButton* Button4;    // "Справка": submodalities
    QPushButton* Button5;    // "Справка": object kinds
    QPushButton* Button6;    // "Справка": exercise kinds
    QPushButton* Button7;    // "Справка": complications
    QPushButton* Button10;   // "Справка": durations
    QPushButton* Button8;    // "Справка": standard colours

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct LimitControls {
        PhaseLimitRow& row;
        QCheckBox* box;
        QLineEdit* field;
        QLabel* label;
    };

    void buildTitle();
    void buildSlotGrid();
    void buildExerciseKinds();
    void buildObjectKinds();
    void buildDurations();
    void buildComplications();
    void buildStandardColours();
    void buildButtons();
    // A button that opens a help page.
    QPushButton* helpButton(QWidget* parent, int left, int top, int width, int height, HelpPage page,
                            const QString& caption = QStringLiteral("Справка"));

    void slotChanged(SlotRole role, Submodality row) override;
    void showLimit(const LimitControls& limit);
    void showStandardColour();
    void showAreaCaption();

    void fitToScreen();
    void place(const WindowRect& geometry);
    void Button1Click();
    void Button2Click();
    void openHelp(HelpPage page);

    const ScreenMetrics& screen_;
    MessageBoxes& messages_;
    ConfigurationModel model_;
    std::array<std::array<SlotCheckBox*, gridRows.size()>, 3> slotBoxes_{};
    std::vector<LimitControls> limits_;
    ExerciseEngine* engine_ = nullptr;
    TForm5* instructions_ = nullptr;
    std::vector<QWidget*> closedOnFinish_;
    std::unique_ptr<FramedWindow> framed_;
};

}  // namespace kestrani

#pragma once
// "Результаты": this run's results and answers and, while the history is
// kept, the earlier ones, in three tabs: the exercises, the fitted thresholds
// with a psychometric picture of the chosen one, and a threshold's progress
// by day with today's summary; CSV export of the exercises or the answers and
// the option that keeps the history between runs. Every figure and text comes
// from results/results_view.h; the window only draws them.

#include <QWidget>
#include <string>
#include <vector>

#include "results/result_history.h"
#include "results/threshold_table.h"

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace kestrani {

class TextTableModel;

// The results file in the user's data folder (XDG_DATA_HOME).
std::string resultsFilePath();
// The option "Запоминать результаты между запусками" as the user left it;
// off when it was never set.
bool rememberResultsOption();

class ResultsWindow : public QWidget {
public:
    explicit ResultsWindow(ResultHistory& history);
    ~ResultsWindow() override;

    // Shows the window in front, with what is stored now.
    void open();
    enum class CsvContent { Exercises, Answers };
    // Writes the exercises or the answers shown as CSV to the file name,
    // replacing a file of that name only once the new one is complete; says
    // so when it cannot.
    void saveCsvTo(const QString& name, CsvContent content = CsvContent::Exercises);
    // The message of the first result of a run that cannot be written.
    void reportWriteFailure(const ResultStore& store);
    // Fits an open window to the screen as it now is; a closed one is fitted
    // when next shown.
    void screenChanged();

    QCheckBox* rememberBox;      // "Запоминать результаты между запусками"
    QLabel* fileState;           // what is wrong with the option or the results file, if anything
    QPushButton* newFileButton;  // "Начать новый файл"
    QTabWidget* tabs;            // "Упражнения", "Пороги", "Прогресс"
    QTableView* table;           // the exercises
    QLabel* noExercises;
    QTableView* thresholds;
    QLabel* noThresholds;
    QChartView* psychometricChart;
    QComboBox* progressChoice;   // which threshold's progress
    QChartView* progressChart;
    QLabel* noProgress;
    QLabel* today;               // "Сегодня: …"
    QPushButton* saveButton;     // "Сохранить в CSV…": the exercises or the answers
    QPushButton* closeButton;    // "Закрыть"

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The file's state and the exercises at once; the answers, their
    // thresholds and progress once the window is up.
    void refresh();
    void analyse();
    void showFileState();
    void showExercises();
    void showThresholds();
    void drawPsychometric();
    void drawProgress();
    void rememberToggled(bool on);
    void startNewFile();
    void saveCsv(CsvContent content);
    void fitToScreen();

    ResultHistory& history_;
    std::vector<ExerciseResult> results_;  // newest first
    std::vector<AnswerRecord> answers_;    // oldest first
    std::vector<ThresholdRow> thresholdRows_;
    TextTableModel* exercisesModel_;
    TextTableModel* thresholdsModel_;
    QStackedWidget* exercisesPage_;
    QStackedWidget* thresholdsPage_;
    QStackedWidget* progressPage_;
    bool fitted_ = false;
    bool analysisDue_ = false;
};

}  // namespace kestrani

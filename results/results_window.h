#pragma once
// "Результаты": this run's results and, while the history is kept, the
// earlier ones; a table newest first, right answers and reached differences
// over time, CSV export and the option that keeps the history between runs.

#include <QWidget>
#include <string>
#include <vector>

#include "results/result_history.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace kestrani {

class ResultsTableModel;

// The results file in the user's data folder (XDG_DATA_HOME).
std::string resultsFilePath();
// The option "Запоминать результаты между запусками" as the user left it;
// off when it was never set.
bool rememberResultsOption();

class ResultsWindow : public QWidget, public ResultListener {
public:
    explicit ResultsWindow(ResultHistory& history);
    ~ResultsWindow() override;

    // Shows the window in front, with what is stored now.
    void open();
    // Fits an open window to the screen as it now is; a closed one is fitted
    // when next shown.
    void screenChanged();
    // Passes the result to the history and shows it at once when open.
    void resultRecorded(const ExerciseResult& result) override;

    QCheckBox* rememberBox;      // "Запоминать результаты между запусками"
    QLabel* fileState;           // what is wrong with the results file, if anything
    QPushButton* newFileButton;  // "Начать новый файл"
    QTableView* table;
    QChartView* answersChart;
    QComboBox* submodalityChoice;
    QChartView* differenceChart;
    QPushButton* saveButton;     // "Сохранить в CSV…"
    QPushButton* closeButton;    // "Закрыть"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void showFileState();
    void drawAnswers();
    void drawDifferences();
    void rememberToggled(bool on);
    void startNewFile();
    void saveCsv();
    void reportWriteFailure(const ResultStore& store);
    void fitToScreen();

    ResultHistory& history_;
    std::vector<ExerciseResult> results_;  // newest first
    ResultsTableModel* model_;
    bool fitted_ = false;
};

}  // namespace kestrani

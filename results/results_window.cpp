#include "results/results_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <fstream>

#include "results/csv_writer.h"
#include "results/results_geometry.h"

namespace kestrani {

namespace {

QString toQt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QSettings optionSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kestrani"), QStringLiteral("kestrani"));
}
const QString rememberKey = QStringLiteral("results/remember");

QString timeText(std::int64_t milliseconds) {
    return QDateTime::fromMSecsSinceEpoch(milliseconds).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString exerciseName(ExerciseKind kind) { return QStringLiteral("Упражнение %1").arg(static_cast<int>(kind)); }

void clearChart(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes())
        chart.removeAxis(axis);
}

// The chart's axes fitted to the points: time along, values up from 0.
void setAxes(QChart& chart, std::int64_t first, std::int64_t last, double highest, const QString& valueTitle) {
    auto* time = new QDateTimeAxis;
    // Room on each side, so that the first and last points stand inside the chart.
    const std::int64_t margin = std::max<std::int64_t>(60'000, (last - first) / 20);
    const std::int64_t span = last - first + 2 * margin;
    time->setFormat(span <= 15 * 60'000        ? QStringLiteral("HH:mm:ss")
                    : span <= 2 * 86'400'000LL ? QStringLiteral("dd.MM HH:mm")
                                               : QStringLiteral("dd.MM.yyyy"));
    time->setTickCount(4);
    time->setTitleText(QStringLiteral("Время"));
    time->setRange(QDateTime::fromMSecsSinceEpoch(first - margin), QDateTime::fromMSecsSinceEpoch(last + margin));
    auto* value = new QValueAxis;
    value->setTitleText(valueTitle);
    value->setRange(0, highest > 0 ? highest * 1.05 : 1);
    value->applyNiceNumbers();
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(value, Qt::AlignLeft);
    for (QAbstractSeries* series : chart.series()) {
        series->attachAxis(time);
        series->attachAxis(value);
    }
}

// What is wrong with the results file, in a sentence or two; empty when nothing is.
QString fileProblemText(const ResultStore& store, const QString& path) {
    const QString problem = toQt(store.problem());
    switch (store.status()) {
    case ResultStore::Status::Writable:
        return problem.isEmpty() ? QString()
                                 : QStringLiteral("Последний результат не удалось записать в файл %1 (%2).").arg(path, problem);
    case ResultStore::Status::ReadOnly:
        return store.newerVersion()
                   ? QStringLiteral("Файл результатов записан более новой версией Kestrani, поэтому он открыт только для "
                                    "чтения: прежние результаты видны, новые в него не записываются.")
                   : QStringLiteral("Файл результатов защищён от записи: прежние результаты видны, новые в него не "
                                    "записываются.");
    case ResultStore::Status::Damaged:
        return QStringLiteral("Файл результатов %1 повреждён или не читается (%2). Kestrani его не меняет и не удаляет. "
                              "Можно начать новый файл: старый останется рядом под другим именем.")
            .arg(path, problem);
    case ResultStore::Status::Unavailable:
        return QStringLiteral("Файл результатов %1 не удаётся открыть или создать (%2).").arg(path, problem);
    }
    return {};
}

}  // namespace

std::string resultsFilePath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("kestrani/results.sqlite")).toStdString();
}

bool rememberResultsOption() { return optionSettings().value(rememberKey, false).toBool(); }

// The table: a row per result, newest first.
class ResultsTableModel : public QAbstractTableModel {
public:
    explicit ResultsTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setResults(const std::vector<ExerciseResult>* results) {
        beginResetModel();
        results_ = results;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !results_ ? 0 : static_cast<int>(results_->size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : fixedColumns + static_cast<int>(gridRows.size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        static const char* const titles[fixedColumns] = {
            "Конец", "Упражнение", "Объект", "Правильных ответов", "Окончание", "Изменяемые", "Калибруемые", "Начало",
        };
        if (section < fixedColumns)
            return QString::fromUtf8(titles[section]);
        return toQt(rowTitle(gridRows[static_cast<std::size_t>(section - fixedColumns)]));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const ExerciseResult& r = (*results_)[static_cast<std::size_t>(index.row())];
        if (role == Qt::TextAlignmentRole)
            return index.column() == 1 || index.column() == 3 || index.column() >= fixedColumns
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return timeText(r.endedAt);
        case 1: return static_cast<int>(r.exerciseKind);
        case 2: return toQt(objectKindName(r.objectKind));
        case 3: return r.rightAnswers;
        case 4: return toQt(endText(r.end));
        case 5: return toQt(rowList(r.changeable));
        case 6: return toQt(rowList(r.asked));
        case 7: return timeText(r.startedAt);
        default: break;
        }
        const std::optional<double>& reached = r.reached[static_cast<std::size_t>(index.column() - fixedColumns)];
        return reached ? QString::number(*reached, 'g', 4) : QString();
    }

private:
    static constexpr int fixedColumns = 8;
    const std::vector<ExerciseResult>* results_ = nullptr;
};

ResultsWindow::ResultsWindow(ResultHistory& history) : QWidget(nullptr, Qt::Window), history_(history) {
    setWindowTitle(QStringLiteral("Результаты — Kestrani"));

    rememberBox = new QCheckBox(QStringLiteral("Запоминать результаты между запусками"), this);
    rememberBox->setChecked(history_.remembering());
    rememberBox->setToolTip(QStringLiteral("Результаты записываются в файл %1").arg(toQt(history_.path())));
    fileState = new QLabel(this);
    fileState->setWordWrap(true);
    fileState->setTextInteractionFlags(Qt::TextSelectableByMouse);
    newFileButton = new QPushButton(QStringLiteral("Начать новый файл"), this);

    model_ = new ResultsTableModel(this);
    table = new QTableView(this);
    table->setModel(model_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    // Columns as wide as the newest rows need.
    table->horizontalHeader()->setResizeContentsPrecision(20);

    answersChart = new QChartView(new QChart, this);
    answersChart->setRenderHint(QPainter::Antialiasing);
    answersChart->chart()->legend()->setAlignment(Qt::AlignBottom);
    submodalityChoice = new QComboBox(this);
    for (Submodality row : gridRows)
        submodalityChoice->addItem(toQt(rowTitle(row)));
    differenceChart = new QChartView(new QChart, this);
    differenceChart->setRenderHint(QPainter::Antialiasing);
    differenceChart->chart()->legend()->setAlignment(Qt::AlignBottom);

    saveButton = new QPushButton(QStringLiteral("Сохранить в CSV…"), this);
    closeButton = new QPushButton(QStringLiteral("Закрыть"), this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileState, 1);
    fileRow->addWidget(newFileButton);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addStretch(1);
    choiceRow->addWidget(new QLabel(QStringLiteral("Достигнутая разница по субмодальности:"), this));
    choiceRow->addWidget(submodalityChoice);
    auto* charts = new QHBoxLayout;
    charts->addWidget(answersChart, 1);
    charts->addWidget(differenceChart, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rememberBox);
    layout->addLayout(fileRow);
    layout->addWidget(table, 2);
    layout->addLayout(choiceRow);
    layout->addLayout(charts, 3);
    layout->addLayout(buttons);

    connect(rememberBox, &QCheckBox::toggled, this, [this](bool on) { rememberToggled(on); });
    connect(newFileButton, &QPushButton::clicked, this, [this] { startNewFile(); });
    connect(submodalityChoice, &QComboBox::currentIndexChanged, this, [this] { drawDifferences(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveCsv(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    history_.onWriteFailure = [this](const ResultStore& store) { reportWriteFailure(store); };
}

ResultsWindow::~ResultsWindow() { history_.onWriteFailure = nullptr; }

void ResultsWindow::open() {
    refresh();
    show();
    raise();
    activateWindow();
}

void ResultsWindow::resultRecorded(const ExerciseResult& result) {
    history_.resultRecorded(result);
    if (isVisible())
        refresh();
}

void ResultsWindow::refresh() {
    results_ = history_.results();
    model_->setResults(&results_);
    table->resizeColumnsToContents();
    showFileState();
    drawAnswers();
    drawDifferences();
}

void ResultsWindow::showFileState() {
    const ResultStore* store = history_.store();
    const QString text = store ? fileProblemText(*store, toQt(history_.path())) : QString();
    fileState->setText(text);
    fileState->setVisible(!text.isEmpty());
    newFileButton->setVisible(store && store->status() == ResultStore::Status::Damaged);
}


namespace {

// One line of points for an exercise kind; none when it has no points.
void addExerciseSeries(QChart& chart, ExerciseKind kind, const QList<QPointF>& points) {
    if (points.isEmpty())
        return;
    auto* series = new QLineSeries;
    series->setName(exerciseName(kind));
    series->setPointsVisible(true);
    series->replace(points);
    chart.addSeries(series);
}

}  // namespace

void ResultsWindow::drawAnswers() {
    QChart& chart = *answersChart->chart();
    clearChart(chart);
    chart.setTitle(results_.empty() ? QStringLiteral("Правильных ответов за упражнение — результатов пока нет")
                                    : QStringLiteral("Правильных ответов за упражнение"));
    double highest = 0;
    for (int kind = 1; kind <= 4; ++kind) {
        QList<QPointF> points;
        for (auto r = results_.rbegin(); r != results_.rend(); ++r)
            if (static_cast<int>(r->exerciseKind) == kind) {
                points.append(QPointF(static_cast<double>(r->endedAt), r->rightAnswers));
                highest = std::max(highest, static_cast<double>(r->rightAnswers));
            }
        addExerciseSeries(chart, static_cast<ExerciseKind>(kind), points);
    }
    if (results_.empty())
        return;
    setAxes(chart, results_.back().endedAt, results_.front().endedAt, std::max(highest, 5.0), QStringLiteral("Ответов"));
    static_cast<QValueAxis*>(chart.axes(Qt::Vertical).constFirst())->setLabelFormat(QStringLiteral("%d"));
}

void ResultsWindow::drawDifferences() {
    QChart& chart = *differenceChart->chart();
    clearChart(chart);
    const int choice = std::max(0, submodalityChoice->currentIndex());
    const std::size_t row = static_cast<std::size_t>(choice);
    chart.setTitle(QStringLiteral("%1 (меньше — лучше)").arg(toQt(rowTitle(gridRows[row]))));
    double highest = 0;
    std::int64_t first = 0, last = 0;
    bool any = false;
    for (int kind = 1; kind <= 4; ++kind) {
        QList<QPointF> points;
        for (auto r = results_.rbegin(); r != results_.rend(); ++r)
            if (static_cast<int>(r->exerciseKind) == kind && r->reached[row]) {
                points.append(QPointF(static_cast<double>(r->endedAt), *r->reached[row]));
                highest = std::max(highest, *r->reached[row]);
                first = any ? std::min(first, r->endedAt) : r->endedAt;
                last = any ? std::max(last, r->endedAt) : r->endedAt;
                any = true;
            }
        addExerciseSeries(chart, static_cast<ExerciseKind>(kind), points);
    }
    if (any)
        setAxes(chart, first, last, highest, QStringLiteral("Разница"));
}

void ResultsWindow::rememberToggled(bool on) {
    history_.setRemembering(on);
    QSettings settings = optionSettings();
    settings.setValue(rememberKey, on);
    refresh();
}

void ResultsWindow::startNewFile() {
    const auto aside = history_.startNewFile(QDateTime::currentMSecsSinceEpoch());
    if (aside)
        QMessageBox::information(this, QStringLiteral("Kestrani"),
                                 QStringLiteral("Начат новый файл результатов. Старый файл сохранён под именем %1.")
                                     .arg(toQt(*aside)));
    else
        QMessageBox::warning(this, QStringLiteral("Kestrani"),
                             QStringLiteral("Старый файл результатов не удалось переименовать, поэтому новый не начат."));
    refresh();
}

void ResultsWindow::saveCsv() {
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(QStringLiteral("kestrani-results.csv"));
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить результаты в CSV"), suggested,
                                                      QStringLiteral("Файлы CSV (*.csv)"));
    if (name.isEmpty())
        return;
    std::ofstream out(name.toStdString(), std::ios::binary | std::ios::trunc);
    writeCsv(out, results_);
    out.close();
    if (!out)
        QMessageBox::warning(this, QStringLiteral("Kestrani"), QStringLiteral("Не удалось записать файл %1.").arg(name));
}

void ResultsWindow::reportWriteFailure(const ResultStore& store) {
    QWidget* parent = isVisible() ? this : QApplication::activeWindow();
    QMessageBox::warning(parent, QStringLiteral("Kestrani"),
                         QStringLiteral("%1\n\nУпражнения продолжаются; результаты этого запуска видны в окне "
                                        "«Результаты», пока программа открыта.")
                             .arg(fileProblemText(store, toQt(history_.path()))));
    if (isVisible())
        showFileState();
}

void ResultsWindow::screenChanged() {
    fitted_ = isVisible();
    if (fitted_)
        fitToScreen();
}

void ResultsWindow::showEvent(QShowEvent* event) {
    // Fitted once; afterwards the window keeps the size the user gave it.
    if (!event->spontaneous() && !fitted_) {
        fitted_ = true;
        fitToScreen();
    }
    QWidget::showEvent(event);
}

// The frame, once the window system has given one, is taken off the outer
// size, so that the framed window stays inside the screen.
void ResultsWindow::fitToScreen() {
    const QRect area = screen()->availableGeometry();
    const WindowRect g = resultsWindowGeometry({area.left(), area.top(), area.width(), area.height()});
    const QSize frame = frameGeometry().size() - size();
    move(g.left, g.top);
    resize(g.width - frame.width(), g.height - frame.height());
}

}  // namespace kestrani

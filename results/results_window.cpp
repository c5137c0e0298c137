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
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <sstream>

#include "results/csv_writer.h"
#include "results/file_problem.h"
#include "results/results_geometry.h"
#include "results/results_messages.h"
#include "results/results_view.h"

namespace kestrani {

namespace {

QString toQt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QSettings optionSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kestrani"), QStringLiteral("kestrani"));
}
const QString rememberKey = QStringLiteral("results/remember");

// Takes away what the chart showed; a removed axis belongs to no one.
void clearChart(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

void attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QLabel* messageLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(24);
    return label;
}

QChartView* chartView(QWidget* parent) {
    auto* view = new QChartView(new QChart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->legend()->setAlignment(Qt::AlignBottom);
    view->setMinimumHeight(160);
    return view;
}

QTableView* tableView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setResizeContentsPrecision(20);
    return view;
}

}  // namespace

// A table of texts worked out by the core.
class TextTableModel : public QAbstractTableModel {
public:
    explicit TextTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setTable(TableText table) {
        beginResetModel();
        table_ = std::move(table);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(table_.headers.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return toQt(table_.headers[static_cast<std::size_t>(section)]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto column = static_cast<std::size_t>(index.column());
        if (role == Qt::TextAlignmentRole)
            return table_.rightAligned[column] ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        return toQt(table_.rows[static_cast<std::size_t>(index.row())][column]);
    }

private:
    TableText table_;
};

std::string resultsFilePath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("kestrani/results.sqlite")).toStdString();
}

bool rememberResultsOption() { return optionSettings().value(rememberKey, false).toBool(); }

ResultsWindow::ResultsWindow(ResultHistory& history) : QWidget(nullptr, Qt::Window), history_(history) {
    setWindowTitle(QStringLiteral("Результаты — Kestrani"));

    rememberBox = new QCheckBox(QStringLiteral("Запоминать результаты между запусками"), this);
    rememberBox->setChecked(history_.remembering());
    rememberBox->setToolTip(QStringLiteral("Результаты и ответы записываются в файл %1").arg(toQt(history_.path())));
    fileState = new QLabel(this);
    fileState->setWordWrap(true);
    fileState->setTextInteractionFlags(Qt::TextSelectableByMouse);
    newFileButton = new QPushButton(QStringLiteral("Начать новый файл"), this);

    tabs = new QTabWidget(this);
    exercisesModel_ = new TextTableModel(this);
    thresholdsModel_ = new TextTableModel(this);

    exercisesPage_ = new QStackedWidget(tabs);
    table = tableView(exercisesModel_, exercisesPage_);
    noExercises = messageLabel(exercisesPage_);
    noExercises->setText(toQt(noExercisesText()));
    exercisesPage_->addWidget(table);
    exercisesPage_->addWidget(noExercises);
    tabs->addTab(exercisesPage_, QStringLiteral("Упражнения"));

    thresholdsPage_ = new QStackedWidget(tabs);
    auto* split = new QSplitter(Qt::Vertical, thresholdsPage_);
    thresholds = tableView(thresholdsModel_, split);
    psychometricChart = chartView(split);
    split->addWidget(thresholds);
    split->addWidget(psychometricChart);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    noThresholds = messageLabel(thresholdsPage_);
    noThresholds->setText(QStringLiteral("Пороги считаются по ответам…"));
    thresholdsPage_->addWidget(split);
    thresholdsPage_->addWidget(noThresholds);
    thresholdsPage_->setCurrentWidget(noThresholds);
    tabs->addTab(thresholdsPage_, QStringLiteral("Пороги"));

    auto* progressTab = new QWidget(tabs);
    progressChoice = new QComboBox(progressTab);
    progressChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    progressChoice->setMinimumContentsLength(30);
    progressPage_ = new QStackedWidget(progressTab);
    progressChart = chartView(progressPage_);
    noProgress = messageLabel(progressPage_);
    progressPage_->addWidget(progressChart);
    progressPage_->addWidget(noProgress);
    noProgress->setText(noThresholds->text());
    progressPage_->setCurrentWidget(noProgress);
    today = new QLabel(progressTab);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(new QLabel(QStringLiteral("Порог:"), progressTab));
    choiceRow->addWidget(progressChoice, 1);
    auto* progressLayout = new QVBoxLayout(progressTab);
    progressLayout->addLayout(choiceRow);
    progressLayout->addWidget(progressPage_, 1);
    progressLayout->addWidget(today);
    tabs->addTab(progressTab, QStringLiteral("Прогресс"));

    saveButton = new QPushButton(QStringLiteral("Сохранить в CSV…"), this);
    auto* saveMenu = new QMenu(saveButton);
    saveMenu->addAction(QStringLiteral("Упражнения…"), this, [this] { saveCsv(CsvContent::Exercises); });
    saveMenu->addAction(QStringLiteral("Ответы…"), this, [this] { saveCsv(CsvContent::Answers); });
    saveButton->setMenu(saveMenu);
    closeButton = new QPushButton(QStringLiteral("Закрыть"), this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileState, 1);
    fileRow->addWidget(newFileButton);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rememberBox);
    layout->addLayout(fileRow);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);

    connect(rememberBox, &QCheckBox::toggled, this, [this](bool on) { rememberToggled(on); });
    connect(newFileButton, &QPushButton::clicked, this, [this] { startNewFile(); });
    connect(thresholds->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { drawPsychometric(); });
    connect(progressChoice, &QComboBox::currentIndexChanged, this, [this] { drawProgress(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    history_.onChanged = [this] {
        if (isVisible())
            refresh();
    };
    history_.onWriteFailure = [this](const ResultStore& store) { reportWriteFailure(store); };
}

ResultsWindow::~ResultsWindow() {
    history_.onChanged = nullptr;
    history_.onWriteFailure = nullptr;
}

void ResultsWindow::open() {
    refresh();
    show();
    raise();
    activateWindow();
}

void ResultsWindow::refresh() {
    results_ = history_.results();
    showFileState();
    showExercises();
    if (analysisDue_)
        return;
    analysisDue_ = true;
    QTimer::singleShot(0, this, [this] { analyse(); });
}

void ResultsWindow::analyse() {
    analysisDue_ = false;
    answers_ = history_.answers();
    thresholdRows_ = thresholdTable(answers_);
    showThresholds();
    today->setText(toQt(todaySummary(results_, answers_, QDateTime::currentMSecsSinceEpoch()).text));
}

void ResultsWindow::showFileState() {
    const QString text = toQt(history_.stateText());
    fileState->setText(text);
    fileState->setVisible(!text.isEmpty());
    newFileButton->setVisible(history_.offersNewFile());
}

void ResultsWindow::showExercises() {
    exercisesModel_->setTable(exercisesTable(results_));
    table->resizeColumnsToContents();
    exercisesPage_->setCurrentWidget(results_.empty() ? static_cast<QWidget*>(noExercises) : table);
}

void ResultsWindow::showThresholds() {
    const int chosen = std::max(0, thresholds->currentIndex().row());
    thresholdsModel_->setTable(thresholdsTable(thresholdRows_));
    thresholds->resizeColumnsToContents();
    noThresholds->setText(toQt(noThresholdsText(static_cast<int>(answers_.size()))));
    thresholdsPage_->setCurrentWidget(thresholdRows_.empty() ? static_cast<QWidget*>(noThresholds)
                                                             : thresholds->parentWidget());
    if (!thresholdRows_.empty())
        thresholds->selectRow(std::min(chosen, static_cast<int>(thresholdRows_.size()) - 1));
    drawPsychometric();

    // Every row can show its progress; the choice is kept by its name.
    const QString kept = progressChoice->currentText();
    const QSignalBlocker quiet(progressChoice);
    progressChoice->clear();
    for (std::size_t i = 0; i < thresholdRows_.size(); ++i)
        progressChoice->addItem(toQt(thresholdName(thresholdRows_[i].key)), static_cast<int>(i));
    progressChoice->setCurrentIndex(std::max(0, progressChoice->findText(kept)));
    drawProgress();
}

void ResultsWindow::drawPsychometric() {
    QChart& chart = *psychometricChart->chart();
    clearChart(chart);
    const int row = thresholds->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(thresholdRows_.size())) {
        chart.setTitle({});
        return;
    }
    const PsychometricPicture picture = psychometricPicture(thresholdRows_[static_cast<std::size_t>(row)]);
    chart.setTitle(toQt(picture.title));
    auto* x = new QLogValueAxis;
    x->setTitleText(toQt(picture.xTitle));
    x->setLabelFormat(QStringLiteral("%g"));
    x->setRange(picture.xLow, picture.xHigh);
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Доля верных"));
    y->setRange(0, 1);
    y->setTickCount(5);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);

    auto* bins = new QScatterSeries;
    bins->setName(QStringLiteral("Ответы по разнице"));
    for (const ChartPoint& p : picture.bins)
        bins->append(p.x, p.y);
    attach(chart, bins, x, y);
    if (!picture.curve.empty()) {
        auto* curve = new QLineSeries;
        curve->setName(QStringLiteral("Подобранная кривая"));
        for (const ChartPoint& p : picture.curve)
            curve->append(p.x, p.y);
        attach(chart, curve, x, y);
    }
    if (picture.threshold) {
        auto* point = new QScatterSeries;
        point->setName(QStringLiteral("Порог: 75 % верных"));
        point->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        point->append(picture.threshold->x, picture.threshold->y);
        attach(chart, point, x, y);
    }
}

void ResultsWindow::drawProgress() {
    QChart& chart = *progressChart->chart();
    clearChart(chart);
    const QVariant chosen = progressChoice->currentData();
    if (!chosen.isValid()) {
        noProgress->setText(toQt(noProgressText()));
        progressPage_->setCurrentWidget(noProgress);
        return;
    }
    const ThresholdRow& row = thresholdRows_[static_cast<std::size_t>(chosen.toInt())];
    const ProgressPicture picture = progressPicture(thresholdProgress(answers_, row.key), row);
    if (picture.points.empty()) {
        noProgress->setText(toQt(picture.emptyText));
        progressPage_->setCurrentWidget(noProgress);
        return;
    }
    progressPage_->setCurrentWidget(progressChart);
    chart.setTitle(toQt(picture.title));
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd.MM.yyyy"));
    x->setTickCount(std::min<int>(6, static_cast<int>(picture.points.size()) + 2));
    x->setRange(QDateTime::fromMSecsSinceEpoch(picture.from), QDateTime::fromMSecsSinceEpoch(picture.to));
    auto* y = new QValueAxis;
    y->setTitleText(toQt(picture.yTitle));
    y->setRange(0, picture.yHigh);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);

    auto* values = new QScatterSeries;
    values->setName(QStringLiteral("Порог"));
    auto* best = new QScatterSeries;
    best->setName(QStringLiteral("Лучший"));
    best->setMarkerShape(QScatterSeries::MarkerShapeStar);
    best->setMarkerSize(18);
    auto* latest = new QScatterSeries;
    latest->setName(QStringLiteral("Последний"));
    latest->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    for (const ProgressPicture::Point& p : picture.points) {
        const auto at = static_cast<qreal>(p.at);
        // The interval as an error bar.
        auto* bar = new QLineSeries;
        bar->append(at, p.low);
        bar->append(at, p.high);
        attach(chart, bar, x, y);
        chart.legend()->markers(bar).constFirst()->setVisible(false);
        values->append(at, p.value);
        if (p.best)
            best->append(at, p.value);
        if (p.latest)
            latest->append(at, p.value);
    }
    attach(chart, values, x, y);
    attach(chart, best, x, y);
    attach(chart, latest, x, y);
}

void ResultsWindow::rememberToggled(bool on) {
    history_.setRemembering(on);
    QSettings settings = optionSettings();
    settings.setValue(rememberKey, on);
    settings.sync();
    if (settings.status() == QSettings::NoError) {
        history_.optionKept();
    } else {
        // The option takes a few dozen bytes.
        const std::string file = settings.fileName().toStdString();
        history_.optionNotKept(file, whyCannotWrite(file, 64));
    }
    refresh();
}

void ResultsWindow::startNewFile() {
    const auto aside = history_.startNewFile(QDateTime::currentMSecsSinceEpoch());
    if (aside)
        QMessageBox::information(this, QStringLiteral("Kestrani"), toQt(newFileStartedText(*aside)));
    else
        QMessageBox::warning(this, QStringLiteral("Kestrani"), toQt(newFileNotStartedText()));
    refresh();
}

void ResultsWindow::saveCsv(CsvContent content) {
    const bool answers = content == CsvContent::Answers;
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(answers ? QStringLiteral("kestrani-answers.csv")
                                                    : QStringLiteral("kestrani-results.csv"));
    const QString name = QFileDialog::getSaveFileName(
        this, answers ? QStringLiteral("Сохранить ответы в CSV") : QStringLiteral("Сохранить упражнения в CSV"),
        suggested, QStringLiteral("Файлы CSV (*.csv)"));
    if (!name.isEmpty())
        saveCsvTo(name, content);
}

void ResultsWindow::saveCsvTo(const QString& name, CsvContent content) {
    std::ostringstream out;
    if (content == CsvContent::Answers)
        writeAnswersCsv(out, history_.answers());
    else
        writeCsv(out, results_);
    const std::string text = out.str();
    const auto size = static_cast<qint64>(text.size());
    // Written beside it and put in its place only once complete.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(text.data(), size) == size && file.commit())
        return;
    const std::string path = name.toStdString();
    QMessageBox::warning(this, QStringLiteral("Kestrani"),
                         toQt(csvNotSavedText(path, whyCannotWrite(path, text.size()))));
}

void ResultsWindow::reportWriteFailure(const ResultStore& store) {
    QWidget* parent = isVisible() ? this : QApplication::activeWindow();
    QMessageBox::warning(parent, QStringLiteral("Kestrani"), toQt(writeFailureText(store, history_.path())));
    if (isVisible())
        showFileState();
}

void ResultsWindow::keyPressEvent(QKeyEvent* event) {
    // Escape puts the window away, as "Закрыть" does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
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

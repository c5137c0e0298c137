#include "config/configuration_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "config/configuration_controls.h"
#include "config/configuration_geometry.h"
#include "config/configuration_pictures.h"
#include "engine/exercise_engine.h"
#include "help/instructions_window.h"
#include "windows/design_scaling.h"
#include "windows/keyboard.h"

namespace kestrani {

namespace {

const QColor windowGrey(128, 128, 128);

QString toQt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont captionFont() { return designFont(timesFamily, 11); }

// Fills the widget in the colour; the text colour is set for plain widgets
// and for buttons alike.
void setColours(QWidget* widget, const QColor& background, const QColor& foreground) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), background);
    palette.setColor(QPalette::WindowText, foreground);
    palette.setColor(QPalette::ButtonText, foreground);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& caption, int left, int top, const QFont& font) {
    auto* result = new QLabel(caption, parent);
    result->setFont(font);
    result->move(left, top);
    followText(*result);
    return result;
}

QGroupBox* groupBox(QWidget* parent, const char* objectName, const QString& title, int left, int top, int width,
                    int height) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(objectName));
    group->setFont(captionFont());
    group->setGeometry(left, top, width, height);
    return group;
}

QCheckBox* checkBox(QWidget* parent, const char* objectName, const QString& caption, int left, int top, int width,
                    int height) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setFont(captionFont());
    box->setGeometry(left, top, width, height);
    return box;
}

// A number field just made available takes the keyboard, its number selected
// so that typing replaces it.
void typeInto(QLineEdit& field) {
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
}

Qt::CheckState checkState(SlotState state) {
    switch (state) {
    case SlotState::Off: return Qt::Unchecked;
    case SlotState::On: return Qt::Checked;
    case SlotState::Unavailable: break;
    }
    return Qt::PartiallyChecked;
}

// One row of the slot grid: its top, its check boxes (initial, changeable,
// calibrated), its caption and its colours. The Area caption follows the
// object kind.
struct GridRow {
    Submodality row;
    int top;
    std::array<const char*, 3> boxes;
    const char* caption;
    QColor background;
    QColor foreground;
};

const GridRow gridLayout[] = {
    {Submodality::Brightness, 88, {"CheckBox10", "CheckBox1", "CheckBox19"}, "Яркость", Qt::black, Qt::white},
    {Submodality::Hue, 104, {"CheckBox11", "CheckBox2", "CheckBox20"}, "Цветовой тон", Qt::red, Qt::black},
    {Submodality::Saturation, 120, {"CheckBox12", "CheckBox3", "CheckBox21"}, "Насыщенность", Qt::magenta, Qt::black},
    {Submodality::Height, 176, {"CheckBox14", "CheckBox5", "CheckBox23"}, "Высота", QColor(192, 192, 192), Qt::black},
    {Submodality::Width, 192, {"CheckBox15", "CheckBox6", "CheckBox24"}, "Ширина", QColor(192, 192, 192), Qt::black},
    {Submodality::Area, 208, {"CheckBox35", "CheckBox34", "CheckBox33"}, "", Qt::white, Qt::black},
    {Submodality::VerticalPosition, 248, {"CheckBox16", "CheckBox7", "CheckBox25"}, "По вертикали",
     QColor(192, 192, 192), Qt::black},
    {Submodality::HorizontalPosition, 264, {"CheckBox17", "CheckBox8", "CheckBox26"}, "По горизонтали",
     QColor(192, 192, 192), Qt::black},
    {Submodality::Rotation, 280, {"CheckBox18", "CheckBox9", "CheckBox27"}, "Поворот", Qt::white, Qt::black},
};

constexpr SlotRole roles[3] = {SlotRole::Initial, SlotRole::Changeable, SlotRole::Calibrated};
constexpr int columnLeft[3] = {8, 48, 88};
constexpr int columnWidth[3] = {41, 41, 121};
constexpr int slotHeight = 17;

}  // namespace

TKestrani::TKestrani(const ScreenMetrics& screen, ExerciseState& state, MessageBoxes& messages)
    : QWidget(nullptr, Qt::Window), screen_(screen), messages_(messages), model_(state, this) {
    setWindowTitle(QStringLiteral("Kestrani 1.01 rus"));
    setColours(this, windowGrey, Qt::black);
    setFont(designFont(sansSerifFamily, 11));
    place(configurationDesignGeometry);

    buildTitle();
    buildSlotGrid();
    buildExerciseKinds();
    buildObjectKinds();
    buildDurations();
    buildComplications();
    buildStandardColours();
    buildButtons();
    pressButtonsOnReturn(*this);
    orderTabsByLayout(*this);
    Button1->setFocus();  // the keyboard starts on "Упражнения"
    framed_ = std::make_unique<FramedWindow>(*this, screen, configurationWindowGeometry);
}

void TKestrani::buildTitle() {
    // Pictures first, so that the groups below lie over their empty frames.
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(15, 8, 154, 153);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(logoPicture());

    Image1 = new ClickableImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(631, 8, 146, 113);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(monitorLetteringPicture());
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->onClick = [this] { openHelp(HelpPage::MonitorSettings); };

    struct TitleLine {
        const char* text;
        int pixelHeight;
        int top;
        int height;
    };
    const TitleLine lines[] = {
        {"Kestrani", 24, 0, 28},
        {"Развитие навыков калибровки визуальных субмодальностей", 19, 28, 22},
        {"Тренировка зрительной памяти", 19, 50, 22},
        {"Версия 1.01", 16, 72, 19},
    };
    for (const TitleLine& line : lines) {
        auto* title = new QLabel(QString::fromUtf8(line.text), this);
        title->setFont(designFont(timesFamily, line.pixelHeight));
        title->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        title->setGeometry(108, line.top, 520, line.height);
    }
}

void TKestrani::buildSlotGrid() {
    GroupBox1 = groupBox(this, "GroupBox1", QStringLiteral("Субмодальности"), 7, 128, 217, 313);
    const QFont font = captionFont();

    label(GroupBox1, QStringLiteral("Исходные"), 8, 24, font)
        ->setToolTip(QStringLiteral("Исходные субмодальности описывают эталон"));
    label(GroupBox1, QStringLiteral("Изменяемые"), 32, 40, font)
        ->setToolTip(QStringLiteral("Изменяемые субмодальности - те, по которым объект может отличаться от эталона"));
    label(GroupBox1, QStringLiteral("Калибруемые"), 72, 56, font)
        ->setToolTip(QStringLiteral("О калибруемых субмодальностях задаются вопросы в упражнениях 3 и 4."));
    label(GroupBox1, QStringLiteral("Цвет"), 128, 72, font);
    label(GroupBox1, QStringLiteral("Форма и размеры:"), 88, 160, font);
    label(GroupBox1, QStringLiteral("Положение:"), 112, 232, font);

    for (const GridRow& row : gridLayout) {
        for (std::size_t column = 0; column < 3; ++column) {
            const SlotRole role = roles[column];
            auto* box = new SlotCheckBox(role == SlotRole::Calibrated ? QString::fromUtf8(row.caption) : QString(),
                                         GroupBox1);
            box->setObjectName(QString::fromLatin1(row.boxes[column]));
            box->setFont(font);
            box->setTristate(true);
            box->setGeometry(columnLeft[column], row.top, columnWidth[column], slotHeight);
            setColours(box, row.background, row.foreground);
            box->onClick = [this, role, r = row.row] { model_.grid().click(role, r); };
            slotBoxes_[column][SlotColumn::rowIndex(row.row)] = box;
            slotChanged(role, row.row);
        }
    }
    showAreaCaption();
    slotBox(SlotRole::Calibrated, Submodality::Brightness)
        ->setToolTip(QStringLiteral(
            "Яркость не рекомендуется калибровать, если в списке изменяемых субмодальностей есть Цветовой Тон"));
    slotBox(SlotRole::Calibrated, Submodality::Hue)
        ->setToolTip(QStringLiteral("Цветовой тон не рекомендуется назначать калибруемым в упражнении 4."));

    Button4 = helpButton(GroupBox1, 144, 14, 66, 22, HelpPage::Submodalities);
}

void TKestrani::buildExerciseKinds() {
    RadioGroup1 = groupBox(this, "RadioGroup1", QStringLiteral("Вид упражнения"), 231, 128, 546, 145);
    const char* items[] = {
        "1. Определение эталона в 1 из 2-х объектов",
        "2. Сравнение объекта с эталоном",
        "3. Сравнение объекта с эталоном по калибруемым субмодальностям",
        "4. Сравнение 2-х объектов по калибруемым субмодальностям",
    };
    auto* group = new QButtonGroup(RadioGroup1);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(items[i]), RadioGroup1);
        item->setFont(captionFont());
        item->setGeometry(8, 20 + 24 * i, 456, 20);
        group->addButton(item, i + 1);
        exerciseKindItems[static_cast<std::size_t>(i)] = item;
    }
    group->button(settings().exerciseNumber())->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            model_.selectExerciseKind(static_cast<ExerciseKind>(id));
    });
    Button6 = helpButton(RadioGroup1, 472, 112, 66, 25, HelpPage::ExerciseKinds);
}

void TKestrani::buildObjectKinds() {
    RadioGroup2 = groupBox(this, "RadioGroup2", QStringLiteral("Вид объекта"), 231, 280, 170, 161);
    const char* items[] = {"Прямоугольник", "Эллипс", "Прямоугольник или эллипс", "Прямая линия", "Все окно"};
    auto* group = new QButtonGroup(RadioGroup2);
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(items[i]), RadioGroup2);
        item->setFont(captionFont());
        item->setGeometry(8, 18 + 22 * i, 156, 20);
        group->addButton(item, i);
        objectKindItems[static_cast<std::size_t>(i)] = item;
    }
    group->button(static_cast<int>(settings().objectKind))->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        model_.grid().selectObjectKind(static_cast<ObjectKind>(id));
        showAreaCaption();
    });
    Button5 = helpButton(RadioGroup2, 96, 130, 66, 25, HelpPage::ObjectKinds);
}

void TKestrani::buildDurations() {
    GroupBox2 = groupBox(this, "GroupBox2", QStringLiteral("Длительность фаз упражнения"), 407, 280, 210, 117);
    label(GroupBox2, QStringLiteral("От 1 до 60 секунд"), 8, 18, captionFont());
    Button10 = helpButton(GroupBox2, 136, 15, 66, 22, HelpPage::Durations);

    struct LimitLayout {
        PhaseLimitRow& row;
        QCheckBox*& box;
        const char* boxName;
        const char* caption;
        QLineEdit*& field;
        const char* fieldName;
        QLabel*& label;
        const char* labelName;
        int top;
    };
    const LimitLayout rows[] = {
        {model_.referenceShowLimit(), CheckBox28, "CheckBox28", "Показ эталона", Edit1, "Edit1", Label10, "Label10", 40},
        {model_.delay(), CheckBox29, "CheckBox29", "Задержка", Edit2, "Edit2", Label14, "Label14", 64},
        {model_.objectShowLimit(), CheckBox30, "CheckBox30", "Показ объектов", Edit3, "Edit3", Label13, "Label13", 88},
    };
    limits_.reserve(std::size(rows));  // the handlers below keep references to the elements
    for (const LimitLayout& row : rows) {
        row.box = checkBox(GroupBox2, row.boxName, QString::fromUtf8(row.caption), 8, row.top, 112, 21);
        row.field = new QLineEdit(GroupBox2);
        row.field->setObjectName(QString::fromLatin1(row.fieldName));
        row.field->setFont(designFont(sansSerifFamily, 11));
        row.field->setGeometry(122, row.top, 36, 21);
        row.label = new QLabel(GroupBox2);
        row.label->setObjectName(QString::fromLatin1(row.labelName));
        row.label->setFont(designFont(sansSerifFamily, 11));
        row.label->setGeometry(162, row.top + 3, 44, 15);
        limits_.push_back({row.row, row.box, row.field, row.label});
    }
    for (const LimitControls& limit : limits_) {
        connect(limit.box, &QCheckBox::toggled, this, [this, &limit](bool checked) {
            limit.row.setChecked(checked);
            showLimit(limit);
            if (checked && limit.row.fieldVisible())
                typeInto(*limit.field);
        });
        connect(limit.field, &QLineEdit::textChanged, this, [this, &limit](const QString& typed) {
            limit.row.setFieldText(typed.toStdString());
            showLimit(limit);
        });
        showLimit(limit);
    }
}

void TKestrani::buildComplications() {
    GroupBox3 = groupBox(this, "GroupBox3", QStringLiteral("Усложнения"), 624, 280, 153, 117);
    CheckBox32 = checkBox(GroupBox3, "CheckBox32", QStringLiteral("Немонотонность (цвет)"), 8, 18, 140, 17);
    CheckBox31 = checkBox(GroupBox3, "CheckBox31", QStringLiteral("Разбивка"), 8, 38, 140, 17);
    CheckBox36 = checkBox(GroupBox3, "CheckBox36", QStringLiteral("Переменный фон"), 8, 58, 140, 17);
    CheckBox32->setChecked(settings().nonMonotonic);
    CheckBox31->setChecked(settings().splitting);
    CheckBox36->setChecked(settings().variableBackground);
    connect(CheckBox32, &QCheckBox::toggled, this, [this](bool on) { model_.setNonMonotonic(on); });
    connect(CheckBox31, &QCheckBox::toggled, this, [this](bool on) { model_.setSplitting(on); });
    connect(CheckBox36, &QCheckBox::toggled, this, [this](bool on) { model_.setVariableBackground(on); });
    Button7 = helpButton(GroupBox3, 80, 86, 66, 25, HelpPage::Complications);
}

void TKestrani::buildStandardColours() {
    GroupBox5 = groupBox(this, "GroupBox5", QStringLiteral("Стандартные эталоны цвета (номер от 0 до 99)"), 408, 400,
                         369, 41);
    // One row under the group's title, which runs across most of the group's
    // width; the sample fills the height left below it.
    CheckBox37 = checkBox(GroupBox5, "CheckBox37", QStringLiteral("Номер эталона"), 8, 19, 100, 17);
    Edit4 = new QLineEdit(GroupBox5);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setFont(designFont(sansSerifFamily, 11));
    Edit4->setGeometry(110, 17, 30, 21);
    SpinButton1 = new SpinButton(GroupBox5, 140, 17, 15, 21);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    Label11 = new QLabel(GroupBox5);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setFont(designFont(sansSerifFamily, 11));
    Label11->setGeometry(160, 20, 22, 15);
    Panel1 = new QFrame(GroupBox5);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(186, 15, 105, 25);

    StandardColourControls& colours = model_.standardColour();
    connect(CheckBox37, &QCheckBox::toggled, this, [this, &colours](bool checked) {
        colours.setChecked(checked);
        showStandardColour();
        if (checked && colours.fieldVisible())
            typeInto(*Edit4);
    });
    connect(Edit4, &QLineEdit::textChanged, this, [this, &colours](const QString& typed) {
        colours.setFieldText(typed.toStdString());
        showStandardColour();
    });
    SpinButton1->onUp = [this, &colours] {
        colours.arrowUp();
        showStandardColour();
    };
    SpinButton1->onDown = [this, &colours] {
        colours.arrowDown();
        showStandardColour();
    };
    showStandardColour();
}

void TKestrani::buildButtons() {
    Button8 = helpButton(this, 704, 412, 66, 25, HelpPage::StandardColours);
    Button3 = helpButton(this, 624, 448, 153, 25, HelpPage::Instructions, QStringLiteral("Инструкции"));
    Button1 = new QPushButton(QStringLiteral("Упражнения"), this);
    Button1->setGeometry(624, 480, 153, 25);
    Button2 = new QPushButton(QStringLiteral("Завершить работу"), this);
    Button2->setGeometry(624, 512, 153, 25);
    Button9 = new QPushButton(QStringLiteral("Результаты"), this);
    Button9->setGeometry(7, 448, 153, 25);
    for (QPushButton* button : {Button1, Button2, Button9})
        button->setFont(captionFont());
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

QPushButton* TKestrani::helpButton(QWidget* parent, int left, int top, int width, int height, HelpPage page,
                                   const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setFont(captionFont());
    button->setGeometry(left, top, width, height);
    connect(button, &QPushButton::clicked, this, [this, page] { openHelp(page); });
    return button;
}

QCheckBox* TKestrani::slotBox(SlotRole role, Submodality row) const {
    return slotBoxes_[static_cast<std::size_t>(role)][SlotColumn::rowIndex(row)];
}

void TKestrani::slotChanged(SlotRole role, Submodality row) {
    QCheckBox* box = slotBox(role, row);
    const QSignalBlocker blocker(box);
    box->setCheckState(checkState(settings().column(role)[row].state));
}

void TKestrani::showAreaCaption() {
    slotBox(SlotRole::Calibrated, Submodality::Area)->setText(toQt(areaCaption(settings().objectKind)));
}

void TKestrani::showLimit(const LimitControls& limit) {
    const QSignalBlocker boxBlocker(limit.box);
    const QSignalBlocker fieldBlocker(limit.field);
    limit.box->setChecked(limit.row.checked());
    if (limit.field->text() != toQt(limit.row.fieldText()))
        limit.field->setText(toQt(limit.row.fieldText()));
    limit.field->setVisible(limit.row.fieldVisible());
    limit.label->setText(toQt(limit.row.labelText()));
}

void TKestrani::showStandardColour() {
    const StandardColourControls& colours = model_.standardColour();
    const QSignalBlocker boxBlocker(CheckBox37);
    const QSignalBlocker fieldBlocker(Edit4);
    CheckBox37->setChecked(colours.checked());
    if (Edit4->text() != toQt(colours.fieldText()))
        Edit4->setText(toQt(colours.fieldText()));
    Edit4->setVisible(colours.fieldVisible());
    SpinButton1->setVisible(colours.fieldVisible());
    Label11->setText(toQt(colours.labelText()));
    const Rgb sample = colours.sampleColour();
    setColours(Panel1, QColor(sample.red, sample.green, sample.blue), Qt::black);
}

void TKestrani::connectWindows(ExerciseEngine* engine, TForm5* instructions, std::vector<QWidget*> closedOnFinish) {
    engine_ = engine;
    instructions_ = instructions;
    closedOnFinish_ = std::move(closedOnFinish);
}

void TKestrani::showEvent(QShowEvent* event) {
    // Only the program's own show fits the window; the window system's show
    // after a restore leaves it as it is.
    if (!event->spontaneous())
        fitToScreen();
    QWidget::showEvent(event);
}

bool TKestrani::event(QEvent* event) {
    if (framed_)
        framed_->windowEvent(*event);
    return QWidget::event(event);
}

void TKestrani::screenChanged() {
    if (isVisible())
        fitToScreen();
}

// Before its first fit, a window as high as the screen is left as designed.
void TKestrani::fitToScreen() {
    if (!framed_->placed() && configurationWindowIsFitted(height(), screen_.screenSize()))
        return;
    framed_->fit();
}

// The frame's corner goes to the place, and the size is the outer size.
void TKestrani::place(const WindowRect& g) {
    const QSize frame = frameGeometry().size() - size();
    move(g.left, g.top);
    resize(g.width - frame.width(), g.height - frame.height());
}

void TKestrani::Button1Click() { engine_->startExercise(); }

void TKestrani::Button2Click() {
    // While the goodbye is open, its event loop delivers ticks: a running
    // limit must neither start an exercise nor open a second box over it.
    if (engine_)
        engine_->stopPhaseTimers();
    messages_.showInformation("До свидания!");
    close();
    for (QWidget* window : closedOnFinish_)
        window->close();
}

void TKestrani::openHelp(HelpPage page) { instructions_->openPage(page); }

void TKestrani::closeEvent(QCloseEvent* event) {
    event->accept();
    // An exercise under way ends with the program, before the toolkit closes
    // the exercise screen on its way out (which would read as leaving it).
    if (engine_)
        engine_->programEnded();
    QApplication::quit();
}

}  // namespace kestrani

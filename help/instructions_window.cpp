#include "help/instructions_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <utility>

#include "help/instructions_geometry.h"
#include "help/photographs.h"
#include "help/strip_pictures.h"
#include "windows/design_scaling.h"
#include "windows/keyboard.h"

namespace kestrani {

namespace {

const QColor grey(128, 128, 128);
const QColor lime(0, 255, 0);

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QLabel* fixedText(const QString& text, int left, int top, int pixelHeight, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(designFont(timesFamily, pixelHeight));
    setTextColour(*label, lime);
    label->move(left, top);
    followText(*label);
    return label;
}

// Shows a window in front of the others; a minimized window is restored
// first, since showing it alone would leave it out of sight.
void bringForward(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

TForm5::TForm5(const ScreenMetrics& screen) : QWidget(nullptr, Qt::Window), screen_(screen) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, grey);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setFont(designFont(timesFamily, 19));
    resize(790, 545);

    // The strips lie beneath the text slots; Label22 lets the banded strip
    // show through. They are drawn when a page first shows them.
    Image1 = addPicture(229, 160, 493, 41);
    Image2 = addPicture(229, 224, 493, 41);
    Image3 = addPicture(229, 272, 493, 41);

    for (int i = 0; i < textSlotCount; ++i) {
        const TextSlotLayout& layout = textSlotLayouts()[static_cast<std::size_t>(i)];
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf8(layout.name.data(), static_cast<qsizetype>(layout.name.size())));
        label->setFont(designFont(timesFamily, layout.pixelHeight));
        label->setAutoFillBackground(true);
        label->move(layout.left, layout.top);
        // Their texts come with the page; every box but Label7's follows its text.
        if (static_cast<TextSlot>(i) != TextSlot::Label7)
            markFollowingText(*label);
        slots_[static_cast<std::size_t>(i)] = label;
    }
    textSlot(TextSlot::Label7)->setGeometry(118, 108, 680, 21);
    setTextColour(*textSlot(TextSlot::Label7), Qt::blue);
    textSlot(TextSlot::Label22)->setAutoFillBackground(false);

    Label35 = fixedText(QStringLiteral("Kestrani 1.01"), 302, 20, 19, this);
    Label34 = fixedText(QStringLiteral("УСПЕШНОЙ КАЛИБРОВКИ В УПРАЖНЕНИЯХ И В РЕАЛЬНОЙ ЖИЗНИ!"), 126, 480, 15, this);
    Image5 = addPicture(7, 8, 122, 129);
    Image5->setPixmap(officialPortrait());
    Image5->setToolTip(QStringLiteral("Официальный портрет автора"));
    Image6 = addPicture(663, 8, 130, 121);
    Image6->setPixmap(carnivalPhoto());
    Image6->setToolTip(QStringLiteral("Автор на новогоднем карнавале НЛПеров 1998/1999. Похож?"));

    Button1 = addButton(QStringLiteral("OK"), {362, 504, 75, 41}, 24);
    Button2 = addButton(QStringLiteral("Справка по упражнениям"), {10, 504, 159, 17}, 13);
    Button3 = addButton(QStringLiteral("Настройка монитора"), {10, 528, 159, 17}, 13);
    Button4 = addButton(QStringLiteral("Справка по субмодальностям"), {176, 504, 177, 17}, 13);
    Button5 = addButton(QStringLiteral("Справка по видам объектов"), {176, 528, 177, 17}, 13);
    Button6 = addButton(QStringLiteral("Справка по усложнениям"), {448, 504, 169, 17}, 13);
    Button7 = addButton(QStringLiteral("Справка по цветам"), {624, 528, 161, 17}, 13);
    Button8 = addButton(QStringLiteral("Справка по длительностям"), {450, 528, 167, 17}, 13);
    Button9 = addButton(QStringLiteral("ИНСТРУКЦИИ"), {624, 504, 161, 17}, 13);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    const std::pair<QPushButton*, HelpPage> pageButtons[] = {
        {Button2, HelpPage::ExerciseKinds}, {Button3, HelpPage::MonitorSettings}, {Button4, HelpPage::Submodalities},
        {Button5, HelpPage::ObjectKinds},   {Button6, HelpPage::Complications},   {Button7, HelpPage::StandardColours},
        {Button8, HelpPage::Durations},     {Button9, HelpPage::Instructions},
    };
    for (const auto& [button, page] : pageButtons)
        connect(button, &QPushButton::clicked, this, [this, page = page] { openPage(page); });

    pressButtonsOnReturn(*this);
    orderTabsByLayout(*this);
    Button1->setFocus();  // the keyboard starts on "OK"
    showContent(helpPageContent(HelpPage::Start, screen_.screenSize()));
    framed_ = std::make_unique<FramedWindow>(*this, screen_, instructionsWindowGeometry);
    framed_->afterScaling = [this] { fitTextSlots(); };
}

QLabel* TForm5::addPicture(int left, int top, int width, int height) {
    auto* picture = new QLabel(this);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // drawn at its own size, never stretched
    picture->setGeometry(left, top, width, height);
    return picture;
}

QPushButton* TForm5::addButton(const QString& caption, QRect geometry, int pixelHeight) {
    auto* button = new QPushButton(caption, this);
    button->setFont(designFont(timesFamily, pixelHeight));
    button->setGeometry(geometry);
    return button;
}

void TForm5::openPage(HelpPage page) {
    showContent(helpPageContent(page, screen_.screenSize()));
    bringForward(*this);
}

// A hidden window fits its texts when it is next shown, at the size it is
// shown at.
void TForm5::showContent(const PageContent& content) {
    setWindowTitle(QString::fromStdString(content.caption));
    for (int i = 0; i < textSlotCount; ++i)
        slots_[static_cast<std::size_t>(i)]->setText(QString::fromStdString(content.texts[static_cast<std::size_t>(i)]));
    if (content.showsTestPictures && Image1->pixmap().isNull()) {
        Image1->setPixmap(QPixmap::fromImage(smoothStripPicture()));
        Image2->setPixmap(QPixmap::fromImage(ditheredStripPicture()));
        Image3->setPixmap(QPixmap::fromImage(bandedStripPicture()));
    }
    for (QLabel* picture : {Image1, Image2, Image3})
        picture->setVisible(content.showsTestPictures);
    showsLabel12_ = content.showsLabel12;
    if (!showsLabel12_)
        textSlot(TextSlot::Label12)->hide();
    if (isVisible())
        fitTextSlots();
    else
        textsFitted_ = false;
}

// Every slot's width follows its text, but Label7 keeps its box; a text that
// would run past the window gets a smaller font. An empty slot shows nothing,
// not even its grey background.
void TForm5::fitTextSlots() {
    const DesignScale scale = framed_ ? framed_->scale() : DesignScale{};
    for (int i = 0; i < textSlotCount; ++i) {
        QLabel* label = slots_[static_cast<std::size_t>(i)];
        QFont font = label->font();
        font.setPixelSize(scaleFontPixelHeight(textSlotLayouts()[static_cast<std::size_t>(i)].pixelHeight, scale));
        label->setFont(font);
        if (label != textSlot(TextSlot::Label7))
            followText(*label);
        fitText(*label, *this);
        label->setVisible(!label->text().isEmpty());
    }
    if (!showsLabel12_)
        textSlot(TextSlot::Label12)->hide();
    textsFitted_ = true;
}

// Escape puts the window away as "OK" does.
void TForm5::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        Button1Click();
    else
        QWidget::keyPressEvent(event);
}

void TForm5::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool TForm5::event(QEvent* event) {
    if (framed_)
        framed_->windowEvent(*event);
    return QWidget::event(event);
}

// The program's own show fits the window before it reaches the screen, so it
// is never painted at its design size first.
void TForm5::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        fitToScreen();
    if (!textsFitted_)
        fitTextSlots();
    QWidget::showEvent(event);
}

void TForm5::FormActivate() { fitToScreen(); }

void TForm5::screenChanged() {
    if (isVisible())
        fitToScreen();
}

// Before its first fit, a window already one pixel narrower than the screen
// is left as it stands; afterwards it stands as the program put it unless the
// user resized it or the screen changed.
void TForm5::fitToScreen() {
    if (!framed_->placed() && instructionsWindowIsFitted(frameGeometry().width(), screen_.screenSize()))
        return;
    framed_->fit();
}

void TForm5::Button1Click() {
    if (configuration_)
        bringForward(*configuration_);
    close();
}

}  // namespace kestrani

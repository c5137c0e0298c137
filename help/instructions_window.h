#pragma once
// TForm5: the instructions window whose content switches among the help pages.

#include <QFont>
#include <QRect>
#include <QWidget>
#include <array>
#include <memory>

#include "help/help_page.h"
#include "help/help_pages.h"
#include "windows/framed_window.h"
#include "windows/window_geometry.h"

class QLabel;
class QPushButton;

namespace kestrani {

class TForm5 : public QWidget {
public:
    // Created with the start page; start-up shows it.
    explicit TForm5(const ScreenMetrics& screen);

    // The window "OK" brings forward.
    void setConfigurationWindow(QWidget* window) { configuration_ = window; }

    // Shows the window in front with the page; every way of opening a page runs this.
    void openPage(HelpPage page);

    // The screen has changed: the window on the screen is laid out for it now,
    // a hidden one when it is next shown.
    void screenChanged();

    QLabel* textSlot(TextSlot slot) const { return slots_[static_cast<std::size_t>(slot)]; }

    QLabel* Image1;  // smooth colour strip
    QLabel* Image2;  // dithered colour strip
    QLabel* Image3;  // banded colour strip
    QLabel* Label35;
    QLabel* Label34;
    QLabel* Image5;  // official portrait
    QLabel* Image6;  // carnival photograph
    QPushButton* Button1;  // "OK"
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;

protected:
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* addPicture(int left, int top, int width, int height);
    QPushButton* addButton(const QString& caption, QRect geometry, int pixelHeight);
    void showContent(const PageContent& content);
    void fitTextSlots();
    void FormActivate();
    void fitToScreen();
    void Button1Click();

    const ScreenMetrics& screen_;
    QWidget* configuration_ = nullptr;
    std::array<QLabel*, textSlotCount> slots_{};
    std::unique_ptr<FramedWindow> framed_;
    bool showsLabel12_ = false;
    bool textsFitted_ = false;
};

}  // namespace kestrani

#pragma once
// TForm5: the instructions window whose content switches among the help pages.

#include <QWidget>

#include "help/help_page.h"
#include "windows/window_geometry.h"

namespace kestrani {

class TForm5 : public QWidget {
public:
    explicit TForm5(const ScreenMetrics& screen);

    // Shows the window in front with the page; every way of opening a page runs this.
    void openPage(HelpPage page);

private:
    const ScreenMetrics& screen_;
};

}  // namespace kestrani

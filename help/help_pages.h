#pragma once
// What every page of the instructions window shows: its caption, the text of
// each of the 30 text slots and whether the monitor page's extras show.

#include <array>
#include <string>
#include <string_view>

#include "help/help_page.h"
#include "windows/window_geometry.h"

namespace kestrani {

// The single-line text slots of the instructions window, in screen order.
enum class TextSlot {
    Label1, Label9, Label4, Label5, Label6, Label7, Label8, Label29, Label18, Label27,
    Label28, Label12, Label15, Label16, Label17, Label19, Label20, Label13, Label21, Label22,
    Label23, Label24, Label25, Label32, Label30, Label33, Label31, Label26, Label2, Label3,
};
inline constexpr int textSlotCount = 30;

// Where a slot stands in design pixels and the character height of its font.
struct TextSlotLayout {
    std::string_view name;
    int left = 0;
    int top = 0;
    int pixelHeight = 0;
};

const std::array<TextSlotLayout, textSlotCount>& textSlotLayouts();

struct PageContent {
    std::string caption;
    std::array<std::string, textSlotCount> texts;  // indexed by TextSlot
    bool showsTestPictures = false;                // Image1, Image2, Image3
    bool showsLabel12 = false;

    const std::string& text(TextSlot slot) const { return texts[static_cast<std::size_t>(slot)]; }
};

// Everything a page sets; slots the page does not use are empty. The screen
// size matters only to the monitor settings page.
PageContent helpPageContent(HelpPage page, ScreenSize screen);

// The monitor settings page's line on the screen resolution: height first.
std::string resolutionLine(ScreenSize screen);

}  // namespace kestrani

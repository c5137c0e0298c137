#pragma once
// The two pictures of the configuration window, drawn by the program on a
// transparent background.

#include <QPixmap>

namespace kestrani {

// Image2: a 90 × 87 octagon of coloured facets, a cube seen along its diagonal.
QPixmap logoPicture();

// Image1: 114 × 80, the words "Настройка монитора" in slanted purple relief.
QPixmap monitorLetteringPicture();

}  // namespace kestrani

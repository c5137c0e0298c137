#pragma once
// The two pictures of the configuration window, drawn by the program on a
// transparent background.

#include <QPixmap>

class QPainter;

namespace kestrani {

// Image2: a 90 × 87 octagon of coloured facets, a cube seen along its diagonal.
QPixmap logoPicture();
// Draws that logo in the painter's 90 × 87 coordinates; the program's icon
// scales it up.
void paintLogo(QPainter& painter);

// Image1: 114 × 80, the words "Настройка монитора" in slanted purple relief.
QPixmap monitorLetteringPicture();

}  // namespace kestrani

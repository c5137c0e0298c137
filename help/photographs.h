#pragma once
// The two photographs of the instructions window, drawn by the program.

#include <QPixmap>

namespace kestrani {

QPixmap officialPortrait();  // 90 × 98
QPixmap carnivalPhoto();     // 91 × 95

}  // namespace kestrani

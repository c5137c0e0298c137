#pragma once
// The pictures of the three colour test strips of the monitor settings page.

#include <QByteArray>
#include <QImage>

namespace kestrani {

QImage smoothStripPicture();   // Image1
QImage bandedStripPicture();   // Image3
QImage ditheredStripPicture(); // Image2, decoded from the embedded JPEG

// The embedded JPEG of the dithered strip.
QByteArray ditheredStripJpeg();

// The picture a JPEG holds; a null image when the data is damaged.
QImage pictureFromJpeg(const QByteArray& jpeg);

}  // namespace kestrani

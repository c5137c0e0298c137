#include "help/strip_pictures.h"

#include <QFile>
#include <cstring>

#include "help/colour_strips.h"
#include "help/jpeg_picture.h"

namespace kestrani {

namespace {

QImage pictureOf(const std::vector<PixelRow>& rows) {
    QImage image(stripWidth, static_cast<int>(rows.size()), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            image.setPixelColor(x, y, QColor(c.red, c.green, c.blue));
        }
    return image;
}

}  // namespace

QImage smoothStripPicture() { return pictureOf(smoothSweepStrip()); }

QImage bandedStripPicture() { return pictureOf(bandedStrip()); }

QByteArray ditheredStripJpeg() {
    QFile file(QStringLiteral(":/help/dither_strip.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage ditheredStripPicture() { return pictureFromJpeg(ditheredStripJpeg()); }

QImage pictureFromJpeg(const QByteArray& jpeg) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(jpeg.constData());
    const std::optional<RgbPicture> decoded = decodeJpeg({bytes, static_cast<std::size_t>(jpeg.size())});
    if (!decoded)
        return {};
    QImage image(decoded->width, decoded->height, QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(decoded->width) * 3;
    for (int y = 0; y < decoded->height; ++y)
        std::memcpy(image.scanLine(y), decoded->pixels.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    return image;
}

}  // namespace kestrani

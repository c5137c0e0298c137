// Writes the dithered colour test strip of the monitor settings page as a
// baseline JPEG with three components and 4:2:0 chroma sampling.
// Usage: make_dither_strip OUTPUT.jpg

#include <cstdio>
#include <jpeglib.h>
#include <vector>

#include "help/colour_strips.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // reports and exits on an error
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = kestrani::stripWidth;
    info.image_height = kestrani::ditheredStripHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> scanline(static_cast<std::size_t>(kestrani::stripWidth) * 3);
    for (const kestrani::PixelRow& row : kestrani::ditheredStrip()) {
        for (std::size_t x = 0; x < row.size(); ++x) {
            scanline[3 * x] = row[x].red;
            scanline[3 * x + 1] = row[x].green;
            scanline[3 * x + 2] = row[x].blue;
        }
        JSAMPROW rows[] = {scanline.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0 ? 0 : 1;
}

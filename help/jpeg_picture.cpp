#include "help/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace kestrani {

namespace {

constexpr JDIMENSION largestSide = 8192;

// libjpeg reports an error by calling error_exit, which must not return: it
// jumps back to the setjmp of the phase that called into the library. Every
// warning (corrupt or missing data) is treated as an error too, and nothing is
// printed.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        jumpBack(info);
}

void silent(j_common_ptr) {}

// Owns the decompressor; destroying it is safe in every state.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};

    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpBack;
        errors.base.emit_message = onMessage;
        errors.base.output_message = silent;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

// The two phases keep no C++ objects of their own, so a jump out of the
// library skips no destructor and leaves no local variable undefined.
bool readHeader(Decompressor& d, const std::uint8_t* data, unsigned long size) {
    if (setjmp(d.errors.jump))
        return false;
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, data, size);
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    d.info.out_color_space = JCS_RGB;
    return d.info.image_width > 0 && d.info.image_height > 0 && d.info.image_width <= largestSide &&
           d.info.image_height <= largestSide;
}

bool readPixels(Decompressor& d, std::uint8_t* pixels, JDIMENSION rowBytes, JDIMENSION height) {
    if (setjmp(d.errors.jump))
        return false;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 3 || d.info.output_width * 3 != rowBytes || d.info.output_height != height)
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = pixels + static_cast<std::size_t>(d.info.output_scanline) * rowBytes;
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

}  // namespace

std::optional<RgbPicture> decodeJpeg(std::span<const std::uint8_t> data) {
    if (data.empty())
        return std::nullopt;
    Decompressor decompressor;
    if (!readHeader(decompressor, data.data(), static_cast<unsigned long>(data.size())))
        return std::nullopt;
    RgbPicture picture;
    picture.width = static_cast<int>(decompressor.info.image_width);
    picture.height = static_cast<int>(decompressor.info.image_height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);
    if (!readPixels(decompressor, picture.pixels.data(), decompressor.info.image_width * 3,
                    decompressor.info.image_height))
        return std::nullopt;
    return picture;
}

}  // namespace kestrani

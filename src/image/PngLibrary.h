#pragma once
// libpng's functions, from the library loaded when a PNG file is first read or
// written. The two files that use it call through here.

#include <png.h>

namespace drossel {

struct PngLibrary {
    decltype(&png_create_read_struct) create_read_struct = nullptr;
    decltype(&png_create_write_struct) create_write_struct = nullptr;
    decltype(&png_create_info_struct) create_info_struct = nullptr;
    decltype(&png_destroy_read_struct) destroy_read_struct = nullptr;
    decltype(&png_destroy_write_struct) destroy_write_struct = nullptr;
    decltype(&png_set_read_fn) set_read_fn = nullptr;
    decltype(&png_set_write_fn) set_write_fn = nullptr;
    decltype(&png_get_error_ptr) get_error_ptr = nullptr;
    decltype(&png_get_io_ptr) get_io_ptr = nullptr;
    decltype(&png_set_longjmp_fn) set_longjmp_fn = nullptr;
    decltype(&png_longjmp) longjmp = nullptr;
    decltype(&png_error) error = nullptr;
    decltype(&png_read_info) read_info = nullptr;
    decltype(&png_get_rowbytes) get_rowbytes = nullptr;
    decltype(&png_get_image_width) get_image_width = nullptr;
    decltype(&png_get_image_height) get_image_height = nullptr;
    decltype(&png_get_color_type) get_color_type = nullptr;
    decltype(&png_set_expand) set_expand = nullptr;
    decltype(&png_set_scale_16) set_scale_16 = nullptr;
    decltype(&png_set_gray_to_rgb) set_gray_to_rgb = nullptr;
    decltype(&png_set_bgr) set_bgr = nullptr;
    decltype(&png_set_add_alpha) set_add_alpha = nullptr;
    decltype(&png_set_interlace_handling) set_interlace_handling = nullptr;
    decltype(&png_read_update_info) read_update_info = nullptr;
    decltype(&png_read_image) read_image = nullptr;
    decltype(&png_read_end) read_end = nullptr;
    decltype(&png_set_IHDR) set_IHDR = nullptr;
    decltype(&png_write_info) write_info = nullptr;
    decltype(&png_write_row) write_row = nullptr;
    decltype(&png_write_end) write_end = nullptr;
};

// Loaded once; throws DrosselError when libpng cannot be loaded.
const PngLibrary& Png();

}  // namespace drossel

// libpng's own setjmp target, as its png_jmpbuf does it.
#define DROSSEL_PNG_JMPBUF(png) (*::drossel::Png().set_longjmp_fn((png), longjmp, sizeof(jmp_buf)))

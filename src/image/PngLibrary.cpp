#include "image/PngLibrary.h"

#include "io/LoadedLibrary.h"

namespace drossel {

const PngLibrary& Png() {
    return LoadFunctions<PngLibrary>("libpng16.so.16", [](LoadedLibrary& png, PngLibrary& p) {
#define DROSSEL_FIND(name) png.Find(p.name, "png_" #name)
        DROSSEL_FIND(create_read_struct);
        DROSSEL_FIND(create_write_struct);
        DROSSEL_FIND(create_info_struct);
        DROSSEL_FIND(destroy_read_struct);
        DROSSEL_FIND(destroy_write_struct);
        DROSSEL_FIND(set_read_fn);
        DROSSEL_FIND(set_write_fn);
        DROSSEL_FIND(get_error_ptr);
        DROSSEL_FIND(get_io_ptr);
        DROSSEL_FIND(set_longjmp_fn);
        DROSSEL_FIND(longjmp);
        DROSSEL_FIND(error);
        DROSSEL_FIND(read_info);
        DROSSEL_FIND(get_rowbytes);
        DROSSEL_FIND(get_image_width);
        DROSSEL_FIND(get_image_height);
        DROSSEL_FIND(get_color_type);
        DROSSEL_FIND(set_expand);
        DROSSEL_FIND(set_scale_16);
        DROSSEL_FIND(set_gray_to_rgb);
        DROSSEL_FIND(set_bgr);
        DROSSEL_FIND(set_add_alpha);
        DROSSEL_FIND(set_interlace_handling);
        DROSSEL_FIND(read_update_info);
        DROSSEL_FIND(read_image);
        DROSSEL_FIND(read_end);
        DROSSEL_FIND(set_IHDR);
        DROSSEL_FIND(write_info);
        DROSSEL_FIND(write_row);
        DROSSEL_FIND(write_end);
#undef DROSSEL_FIND
    });
}

}  // namespace drossel

// The one translation unit that holds stb's PNG writer.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

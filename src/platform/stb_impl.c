/* The one translation unit holding the stb implementations (picture decode and
 * encode, font rasterising, Ogg Vorbis decode). Compiled as C, apart from the
 * game's code, so the libraries' own warnings stay here. */
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>
#include <stb_truetype.h>
#include <stb_vorbis.h> /* Debian ships the implementation under this name */

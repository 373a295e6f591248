/* The one translation unit holding the stb implementations (picture decode and
 * encode, font rasterising, Ogg Vorbis decode). Compiled as C, apart from the
 * game's code, so the libraries' own warnings stay here. */
#define STB_IMAGE_IMPLEMENTATION
/* The game's pictures are JPEG and Targa, its screenshots PNG: the decoders of
 * other formats are left out, and with them what a hostile file could reach. */
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
/* Everything the picture decoder allocates starts zeroed: a damaged JPEG may use a
 * Huffman table it never defined, and the decoder then reads the table's memory
 * as it was left; zeroed, such a table decodes nothing and reads nothing outside. */
#include <stdlib.h>
#define STBI_MALLOC(size) calloc(1, size)
#define STBI_REALLOC(p, size) realloc(p, size)
#define STBI_FREE(p) free(p)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>
#include <stb_truetype.h>
#include <stb_vorbis.h> /* Debian ships the implementation under this name */

// art_title.cpp: the title picture.
#include "art_scene.h"
#include "art_scene_kit.h"

Image drawTitlePicture() { return canvasToImage(makeCanvas(800, 600, rgb(60, 60, 120))); }
Image drawLoadBarPicture() { return canvasToImage(makeCanvas(310, 48, rgb(60, 160, 90))); }

// art_title.cpp: the title picture "loadscreen.jpg" and its loading bar
// "loadbar.jpg". A friendly owl sits on a wooden sign under a rising moon; the
// game lights its eyes with two green glows at (386, 378) and (438, 378) and
// fills the sign's groove (pixels 251..561, 543..591) with the bar, over which
// it writes "Press any key...". The game's name stands above as a logo. The same
// owl before its moon is the desktop icon.
#include "art_scene_local.h"

namespace {

constexpr int kTitleWidth = 800;
constexpr int kTitleHeight = 600;
// Where the game draws the bar and the owl's eyes (pixels of the picture).
constexpr Box kBarBox{251, 543, 561, 591};
constexpr float kBarRadius = 24.0f;
const Point kLeftEye{386.0f, 378.0f};
const Point kRightEye{438.0f, 378.0f};

const Colour kOwlBrown = rgb(178, 116, 70);
const Colour kOwlDark = rgb(112, 68, 50);
const Colour kOwlCream = rgb(252, 234, 196);
const Colour kInk = rgb(54, 34, 40);

void paintSkyAndMoon(Canvas* canvas) {
  const ColourStop stops[4] = {{0.0f, rgb(24, 26, 82)}, {0.4f, rgb(70, 52, 132)},
                               {0.68f, rgb(188, 104, 150)}, {0.82f, rgb(255, 176, 128)}};
  for (int y = 0; y < kTitleHeight; ++y) {
    const Colour c = rampColour(stops, 4, (y + 0.5f) / kTitleHeight);
    for (int x = 0; x < kTitleWidth; ++x) canvas->pixels[static_cast<size_t>(y) * kTitleWidth + x] = c;
  }
  RandomStream random{4001u};
  for (int i = 0; i < 140; ++i) {
    const Point at{randomRange(&random, 0.0f, 800.0f), randomRange(&random, 0.0f, 330.0f)};
    const float r = randomRange(&random, 0.5f, 1.4f);
    fillShapeColour(canvas, boxAround(at, 2.0f, 2.0f), [&](Point p) { return sdCircle(p, at, r); },
                    rgb(255, 250, 230, static_cast<int>(randomRange(&random, 120.0f, 255.0f))), 1.3f);
  }
  for (int i = 0; i < 9; ++i) {
    paintTwinkle(canvas, Point{randomRange(&random, 20.0f, 780.0f), randomRange(&random, 20.0f, 300.0f)},
                 randomRange(&random, 3.0f, 6.0f), rgb(255, 250, 220));
  }
  paintMoon(canvas, Point{412.0f, 352.0f}, 128.0f, rgb(255, 246, 214), rgb(255, 230, 200, 90));
  paintCloud(canvas, Point{150.0f, 262.0f}, 200.0f, 40.0f, rgb(236, 170, 196), rgb(120, 90, 150), 0.9f, 4002u);
  paintCloud(canvas, Point{680.0f, 236.0f}, 220.0f, 46.0f, rgb(236, 170, 196), rgb(120, 90, 150), 0.9f, 4003u);
}

void paintTitleLand(Canvas* canvas) {
  const FoliageLook night{rgb(46, 96, 110), rgb(120, 170, 170), rgb(24, 48, 72), rgb(60, 50, 70)};
  const Skyline far = rollingSkyline(kTitleWidth, 440.0f, 40.0f, 300.0f, 4010u);
  paintLand(canvas, far, LandLook{rgb(120, 96, 150), rgb(96, 80, 130), 80.0f, rgb(255, 190, 170), 2.0f, 0.6f, 0.02f, 20.0f, 4011u}, kTitleHeight);
  const Skyline mid = rollingSkyline(kTitleWidth, 500.0f, 36.0f, 360.0f, 4013u);
  paintLand(canvas, mid, LandLook{rgb(54, 110, 118), rgb(36, 80, 96), 80.0f, rgb(140, 220, 200), 2.5f, 0.6f, 0.03f, 16.0f, 4014u}, kTitleHeight);
  paintRoundTree(canvas, Point{96.0f, 560.0f}, 300.0f, night, 4015u);
  paintPine(canvas, Point{188.0f, 566.0f}, 190.0f, night, 4016u);
  paintRoundTree(canvas, Point{716.0f, 566.0f}, 280.0f, night, 4017u);
  paintPine(canvas, Point{620.0f, 572.0f}, 160.0f, night, 4018u);
  paintFireflies(canvas, Box{20, 380, 780, 590}, 30, rgb(220, 255, 170), 2.0f, 4019u);
}

// Glossy coloured orbs floating about, the game's balls.
void paintOrbs(Canvas* canvas) {
  const struct {
    Point at;
    float radius;
    Colour colour;
  } orbs[6] = {{{112.0f, 330.0f}, 16.0f, rgb(230, 60, 70)},  {{680.0f, 330.0f}, 18.0f, rgb(60, 130, 240)},
               {{200.0f, 420.0f}, 11.0f, rgb(250, 200, 40)}, {{612.0f, 440.0f}, 12.0f, rgb(170, 80, 220)},
               {{56.0f, 224.0f}, 10.0f, rgb(60, 200, 110)},  {{750.0f, 210.0f}, 11.0f, rgb(250, 140, 40)}};
  for (const auto& orb : orbs) {
    paintGlow(canvas, orb.at, orb.radius * 3.0f, orb.colour, 0.35f);
    fillShape(canvas, boxAround(orb.at, orb.radius, orb.radius), [&](Point p) { return sdCircle(p, orb.at, orb.radius); },
              [&](Point p, float) {
                const Vec3f n = sphereNormal(p, orb.at, orb.radius);
                const float l = lambert(n, kLightDirection);
                Colour c = mixColour(scaleColour(orb.colour, 0.45f), lighten(orb.colour, 0.2f), l);
                return mixColour(c, kWhite, specular(n, kLightDirection, 30.0f) * 0.9f);
              });
  }
}

// The sign the owl sits on, with the groove the loading bar fills.
void paintSign(Canvas* canvas) {
  const Point centre{406.0f, 566.0f};
  fillShapeColour(canvas, boxAround(centre, 200.0f, 70.0f),
                  [&](Point p) { return sdRoundedBox(p - Point{4.0f, 6.0f}, centre, 182.0f, 56.0f, 16.0f); }, rgb(10, 10, 30, 110), 6.0f);
  fillShapeColour(canvas, boxAround(centre, 190.0f, 60.0f), [&](Point p) { return sdRoundedBox(p, centre, 182.0f, 56.0f, 16.0f); }, kInk);
  fillShape(canvas, boxAround(centre, 186.0f, 56.0f), [&](Point p) { return sdRoundedBox(p, centre, 178.0f, 52.0f, 13.0f); },
            [&](Point p, float d) {
              // Planks with grain, lit along the top edge.
              const float plank = std::fmod(p.y - 514.0f, 27.0f);
              const float grain = std::sin(p.x * 0.08f + 6.0f * valueNoise(p.x / 60.0f, p.y / 6.0f, 4030u));
              Colour c = mixColour(rgb(196, 134, 78), rgb(160, 100, 58), 0.5f + 0.3f * grain);
              if (plank < 1.5f) c = rgb(110, 66, 44);
              if (d > -3.0f && p.y < centre.y) c = lighten(c, 0.18f);
              return c;
            });
  // The groove: a dark recess with a shadow under its upper lip.
  const Point slot{(kBarBox.x0 + kBarBox.x1) * 0.5f, (kBarBox.y0 + kBarBox.y1) * 0.5f};
  const float halfW = (kBarBox.x1 - kBarBox.x0) * 0.5f + 2.0f, halfH = (kBarBox.y1 - kBarBox.y0) * 0.5f + 2.0f;
  fillShape(canvas, boxAround(slot, halfW + 2.0f, halfH + 2.0f),
            [&](Point p) { return sdRoundedBox(p, slot, halfW, halfH, kBarRadius + 2.0f); },
            [&](Point p, float) {
              const float t = clamp01((p.y - (slot.y - halfH)) / (2.0f * halfH));
              return mixColour(rgb(36, 22, 24), rgb(84, 54, 40), smoothstep(0.0f, 0.6f, t));
            });
  for (const Point nail : {Point{236.0f, 526.0f}, Point{576.0f, 526.0f}}) {
    fillShape(canvas, boxAround(nail, 5.0f, 5.0f), [&](Point p) { return sdCircle(p, nail, 3.5f); },
              [&](Point p, float) { return mixColour(rgb(240, 230, 210), rgb(120, 110, 100), radialParam(p, nail - Point{1.0f, 1.0f}, 4.0f)); });
  }
}

// The owl: a round body, ear tufts, folded wings, a heart-shaped face with big
// eyes where the game's glows land, a small beak and feet gripping the sign.
void paintOwl(Canvas* canvas) {
  const Point head{412.0f, 372.0f};
  const Point body{412.0f, 446.0f};
  // Ear tufts: slim feathery points leaning outwards.
  auto tuft = [&](float side) {
    const Point corners[3] = {{head.x + side * 24.0f, head.y - 46.0f}, {head.x + side * 58.0f, head.y - 80.0f},
                              {head.x + side * 54.0f, head.y - 34.0f}};
    return [=](Point p) { return sdPolygon(p, corners, 3) - 1.5f; };
  };
  const auto leftTuft = tuft(-1.0f), rightTuft = tuft(1.0f);
  auto silhouette = [&](Point p) {
    float d = sdSmoothUnion(sdEllipse(p, head, 72.0f, 60.0f), sdEllipse(p, body, 80.0f, 76.0f), 20.0f);
    d = sdSmoothUnion(d, leftTuft(p), 14.0f);
    return sdSmoothUnion(d, rightTuft(p), 14.0f);
  };
  Mask mask = makeMask(kTitleWidth, kTitleHeight);
  maskShape(&mask, boxAround(Point{412.0f, 420.0f}, 110.0f, 130.0f), silhouette);
  softShadow(canvas, mask, 6.0f, 10.0f, 10.0f, rgb(10, 10, 40, 130));
  fillShapeColour(canvas, boxAround(Point{412.0f, 420.0f}, 110.0f, 130.0f), [&](Point p) { return silhouette(p) - 3.5f; }, kInk);
  fillShape(canvas, boxAround(Point{412.0f, 420.0f}, 110.0f, 130.0f), silhouette, [&](Point p, float) {
    const float l = lambert(sphereNormal(p, Point{412.0f, 410.0f}, 120.0f), kLightDirection);
    Colour c = mixColour(kOwlDark, kOwlBrown, clamp01(0.3f + l));
    // Moonlight rims the edge from behind.
    return lighten(c, 0.05f * (valueNoise(p.x / 6.0f, p.y / 6.0f, 4040u) - 0.5f));
  });
  // Belly with rows of little scalloped feathers.
  const Point belly{412.0f, 462.0f};
  fillShape(canvas, boxAround(belly, 56.0f, 56.0f), [&](Point p) { return sdEllipse(p, belly, 50.0f, 52.0f); },
            [&](Point p, float) {
              Colour c = mixColour(kOwlCream, rgb(232, 196, 146), clamp01((p.y - 420.0f) / 100.0f));
              const float row = std::fmod(p.y - 420.0f + 200.0f, 14.0f);
              const float column = std::fmod(p.x - 412.0f + (static_cast<int>((p.y - 420.0f + 200.0f) / 14.0f) % 2) * 8.0f + 400.0f, 16.0f);
              const float arc = std::fabs(std::hypot(column - 8.0f, row - 2.0f) - 7.0f);
              if (arc < 1.0f && row > 2.0f) c = mixColour(c, rgb(200, 150, 100), 0.7f);
              return c;
            });
  // Wings folded at the sides.
  for (float side = -1.0f; side <= 1.0f; side += 2.0f) {
    const Point wing{412.0f + side * 66.0f, 452.0f};
    fillShape(canvas, boxAround(wing, 40.0f, 70.0f),
              [&](Point p) {
                const Point q = rotatePoint(p, wing, side * 12.0f);
                return sdEllipse(q, wing, 26.0f, 60.0f);
              },
              [&](Point p, float d) {
                Colour c = mixColour(kOwlDark, rgb(150, 96, 62), clamp01(0.7f - (p.y - 400.0f) / 140.0f));
                const float feather = std::sin((p.y - 400.0f) * 0.3f + side * p.x * 0.1f);
                c = lighten(c, 0.07f * feather);
                return d > -2.5f ? kInk : c;
              });
  }
  // Face: two discs around the eyes meeting in a point above the beak.
  auto face = [&](Point p) {
    const float discs = sdSmoothUnion(sdCircle(p, kLeftEye, 34.0f), sdCircle(p, kRightEye, 34.0f), 10.0f);
    const Point chin[3] = {{380.0f, 392.0f}, {444.0f, 392.0f}, {412.0f, 424.0f}};
    return sdSmoothUnion(discs, sdPolygon(p, chin, 3), 8.0f);
  };
  fillShape(canvas, boxAround(head, 80.0f, 60.0f), face, [&](Point p, float d) {
    const Colour c = mixColour(kOwlCream, rgb(236, 206, 160), radialParam(p, Point{412.0f, 372.0f}, 70.0f));
    return d > -2.5f ? rgb(210, 160, 110) : c;
  });
  for (float side = -1.0f; side <= 1.0f; side += 2.0f) {
    const Point cheek{412.0f + side * 50.0f, 404.0f};
    fillShapeColour(canvas, boxAround(cheek, 12.0f, 8.0f), [&](Point p) { return sdEllipse(p, cheek, 10.0f, 6.0f); },
                    rgb(255, 140, 150, 110), 3.0f);
  }
  for (const Point eye : {kLeftEye, kRightEye}) {
    fillShapeColour(canvas, boxAround(eye, 26.0f, 26.0f), [&](Point p) { return sdCircle(p, eye, 23.0f); }, kInk);
    fillShape(canvas, boxAround(eye, 22.0f, 22.0f), [&](Point p) { return sdCircle(p, eye, 20.0f); },
              [&](Point p, float) { return mixColour(rgb(190, 250, 150), rgb(60, 170, 70), radialParam(p, eye - Point{4.0f, 5.0f}, 24.0f)); });
    fillShapeColour(canvas, boxAround(eye, 12.0f, 12.0f), [&](Point p) { return sdCircle(p, eye + Point{1.0f, 1.5f}, 9.5f); },
                    rgb(20, 30, 26));
    fillShapeColour(canvas, boxAround(eye, 12.0f, 12.0f), [&](Point p) { return sdCircle(p, eye + Point{-5.0f, -6.0f}, 4.0f); },
                    rgb(255, 255, 255));
    fillShapeColour(canvas, boxAround(eye, 12.0f, 12.0f), [&](Point p) { return sdCircle(p, eye + Point{5.0f, 6.0f}, 1.8f); },
                    rgb(255, 255, 255, 200));
  }
  const Point beak[3] = {{403.0f, 398.0f}, {421.0f, 398.0f}, {412.0f, 416.0f}};
  fillShape(canvas, boxAround(Point{412.0f, 406.0f}, 14.0f, 14.0f), [&](Point p) { return sdPolygon(p, beak, 3) - 2.0f; },
            [&](Point p, float d) { return d > -1.5f ? kInk : (p.x < 412.0f ? rgb(255, 190, 70) : rgb(230, 140, 40)); });
  // Feet gripping the sign's top edge.
  for (float side = -1.0f; side <= 1.0f; side += 2.0f) {
    for (int toe = -1; toe <= 1; ++toe) {
      const Point at{412.0f + side * 24.0f + toe * 8.0f, 514.0f};
      fillShape(canvas, boxAround(at, 8.0f, 10.0f), [&](Point p) { return sdCapsule(p, at - Point{0.0f, 8.0f}, at + Point{0.0f, 3.0f}, 4.5f); },
                [&](Point p, float d) { return d > -1.5f ? kInk : (p.x < at.x ? rgb(255, 186, 80) : rgb(230, 140, 50)); });
    }
  }
}

// The game's name: chunky letters with a dark outline, a warm gradient, a
// glossy upper half and a gentle bounce from letter to letter.
void paintLogo(Canvas* canvas) {
  const char* const name = "Orbelquaint";
  const float size = 96.0f;
  const float total = measureLabel(name, size);
  const float scale = std::min(1.0f, 640.0f / total);
  const float textSize = size * scale;
  Canvas letters = makeCanvas(kTitleWidth, 220);
  float penX = 400.0f - measureLabel(name, textSize) * 0.5f;
  for (int i = 0; name[i]; ++i) {
    const char glyph[2] = {name[i], 0};
    const float advance = measureLabel(glyph, textSize);
    const float bounce = 8.0f * std::sin(i * 1.1f);
    paintLabel(&letters, glyph, penX + advance * 0.5f, 150.0f + bounce, textSize, kWhite);
    penX += advance;
  }
  Mask fill = alphaMask(letters);
  Mask outline = fill;
  blurMask(&outline, 6.0f);
  for (float& v : outline.values) v = smoothstep(0.05f, 0.25f, v);
  Mask shadow = outline;
  blurMask(&shadow, 6.0f);
  Canvas logo = makeCanvas(kTitleWidth, 220);
  paintMask(&logo, shadow, rgb(20, 10, 40, 150), 4, 8);
  paintMask(&logo, outline, kInk);
  for (int y = 0; y < 220; ++y) {
    for (int x = 0; x < kTitleWidth; ++x) {
      const float m = maskAt(fill, x, y);
      if (m <= 0.0f) continue;
      const float t = clamp01((y - 80.0f) / 80.0f);
      Colour c = mixColour(rgb(255, 246, 160), rgb(255, 150, 50), t);
      if (maskAt(fill, x, y - 4) < 0.5f) c = lighten(c, 0.35f);  // bright lip along the tops
      if (maskAt(fill, x, y + 3) < 0.5f) c = lighten(c, -0.2f);  // darker underside
      paintPixel(&logo, x, y, c, m);
    }
  }
  compositeOver(canvas, logo, 0, -10);
  // A sparkle on the first letter.
  paintTwinkle(canvas, Point{120.0f, 78.0f}, 12.0f, rgb(255, 255, 230));
  paintTwinkle(canvas, Point{690.0f, 150.0f}, 8.0f, rgb(255, 255, 230));
}

const Image& titleImage() {
  static Image image;  // painted once per run: the bar's ends are cut from it
  if (image.width == 0) {
    loadTypeface();
    Canvas canvas = makeCanvas(kTitleWidth, kTitleHeight, kBlack);
    paintSkyAndMoon(&canvas);
    paintTitleLand(&canvas);
    paintOrbs(&canvas);
    paintSign(&canvas);
    paintOwl(&canvas);
    paintLogo(&canvas);
    image = canvasToImage(canvas);
  }
  return image;
}

}  // namespace

Image drawTitlePicture() { return titleImage(); }

Image drawLoadBarPicture() {
  // A glossy green capsule; outside its rounded ends the title shows, so the
  // bar's corners vanish into the groove beneath.
  const Image& title = titleImage();
  const int width = kBarBox.x1 - kBarBox.x0, height = kBarBox.y1 - kBarBox.y0;
  Canvas canvas = makeCanvas(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba under = getPixel(title, kBarBox.x0 + x, kBarBox.y0 + y);
      canvas.pixels[static_cast<size_t>(y) * width + x] = rgb(under.r, under.g, under.b);
    }
  }
  const Point centre{width * 0.5f, height * 0.5f};
  const ColourStop body[4] = {{0.0f, rgb(150, 236, 150)}, {0.35f, rgb(60, 176, 96)}, {0.7f, rgb(30, 128, 74)}, {1.0f, rgb(20, 90, 60)}};
  fillShape(&canvas, Box{0, 0, width, height}, [&](Point p) { return sdRoundedBox(p, centre, width * 0.5f, height * 0.5f, kBarRadius); },
            [&](Point p, float d) {
              Colour c = rampColour(body, 4, p.y / height);
              // Soft diagonal stripes and a rim.
              const float stripe = std::sin((p.x + p.y) * 0.25f);
              c = lighten(c, 0.04f * stripe);
              if (d > -2.0f) c = lighten(c, -0.25f);
              return c;
            });
  fillShape(&canvas, Box{0, 0, width, height},
            [&](Point p) { return sdRoundedBox(p, Point{centre.x, 12.0f}, width * 0.5f - 14.0f, 6.0f, 6.0f); },
            [](Point p, float) { return withAlpha(kWhite, 0.45f * (1.0f - clamp01((p.y - 6.0f) / 12.0f))); }, 2.0f);
  return canvasToImage(canvas);
}

Image drawOwlIcon() {
  // The owl fills the square; the moon behind its head keeps it readable on dark
  // and light desktops alike, and everything else stays transparent.
  constexpr int kSize = 256;
  const Point centre{412.0f, 410.0f};
  Canvas canvas = makeCanvas(kTitleWidth, kTitleHeight);
  paintMoon(&canvas, Point{412.0f, 378.0f}, 92.0f, rgb(255, 240, 196), rgb(255, 230, 200, 0));
  paintOwl(&canvas);
  Canvas icon = makeCanvas(kSize, kSize);
  const int left = static_cast<int>(centre.x) - kSize / 2, top = static_cast<int>(centre.y) - kSize / 2;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      icon.pixels[static_cast<size_t>(y) * kSize + x] = canvas.pixels[static_cast<size_t>(top + y) * kTitleWidth + left + x];
    }
  }
  return canvasToImage(icon);
}

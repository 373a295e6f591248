// art_scene.cpp: the backgrounds. A scenery list is read into the places it
// gives (sky, pools, falls, spray, props); the zone's composition paints the
// land around them; then the shared finish: behind objects get their windows,
// the board's area is calmed, everything outside the holes is made opaque, and
// fully transparent pixels take the colour of what shows through them.
#include <cstring>

#include "art_scene_local.h"

namespace {

using Painter = void (*)(Landscape*);

// The compositions by background index.
const Painter kPainters[16] = {
    paintValleyAtDusk,  paintPebbleBrook,    paintMistyFalls,     paintFernCascade,
    paintAmberDunes,    paintWindsweptHeath, paintGlassGorge,     paintThunderSteps,
    paintMoonlitSpring, paintWillowHollow,   paintCrystalVeil,    paintLanternCreek,
    paintCloudBasin,    paintEmberRidge,     paintStarlightSummit, paintValleyInSunshine};

SkyKind skyOfName(const char* name) {
  if (std::strstr(name, "dusk")) return SkyKind::Dusk;
  if (std::strstr(name, "night")) return SkyKind::Night;
  if (std::strstr(name, "sand")) return SkyKind::Sand;
  return SkyKind::Day;
}

void addHole(Landscape* scene, HoleKind kind, Box box, const char* entry) {
  if (scene->holeCount < kMaxPlaces * 2) scene->holes[scene->holeCount++] = Hole{kind, box, entry};
}

void addPlace(Box* places, int* count, Box box) {
  if (*count < kMaxPlaces) places[(*count)++] = box;
}

// Reads the places of the list into the scene.
void readPlaces(const std::vector<ScenePlace>& places, Landscape* scene) {
  for (const ScenePlace& place : places) {
    const Box box = pixelBox(place);
    if (place.kind == PlaceKind::Sky) {
      addHole(scene, HoleKind::Sky, box, place.entry.c_str());
      scene->sky = skyOfName(place.entry.c_str());
      scene->skyBottom = std::max(scene->skyBottom, static_cast<float>(box.y1));
    } else if (place.kind == PlaceKind::Waterfall) {
      addHole(scene, HoleKind::Waterfall, box, place.entry.c_str());
      addPlace(scene->falls, &scene->fallCount, box);
    } else if (place.kind == PlaceKind::Water) {
      addHole(scene, HoleKind::Water, box, place.entry.c_str());
      addPlace(scene->pools, &scene->poolCount, box);
    } else if (place.behind) {
      addHole(scene, HoleKind::Behind, box, place.entry.c_str());
    } else if (place.kind == PlaceKind::Spray) {
      addPlace(scene->sprays, &scene->sprayCount, box);
    } else if (place.kind == PlaceKind::Still) {
      addPlace(scene->props, &scene->propCount, box);
    }
  }
}

bool insideBox(const Box& box, int x, int y) {
  return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

// The hole a pixel lies in, or null. Where holes overlap the later object is
// drawn over the earlier, so it is the one that shows.
const Hole* holeAt(const Landscape& scene, int x, int y) {
  for (int i = scene.holeCount - 1; i >= 0; --i) {
    if (insideBox(scene.holes[i].box, x, y)) return &scene.holes[i];
  }
  return nullptr;
}

// What shows through a hole at row y: the mean colour of the entry's picture at
// that height (skies are stretched to their rectangle's height).
Colour throughColour(const Hole& hole, int y) {
  const float v = (y + 0.5f - hole.box.y0) / std::max(1, hole.box.y1 - hole.box.y0);
  return seenThrough(hole.entry, hole.kind == HoleKind::Sky ? v : -1.0f);
}

// Behind objects are drawn under the picture: their whole rectangle is a window.
void openBehindWindows(Landscape* scene) {
  for (int i = 0; i < scene->holeCount; ++i) {
    const Hole& hole = scene->holes[i];
    if (hole.kind != HoleKind::Behind) continue;
    const Box box = clipBox(hole.box, scene->canvas.width, scene->canvas.height);
    for (int y = box.y0; y < box.y1; ++y) {
      for (int x = box.x0; x < box.x1; ++x) erasePixel(&scene->canvas, x, y, 1.0f);
    }
  }
}

// The picture: opaque outside the holes whatever the painting left there, and
// the colour of what shows through under fully transparent pixels.
Image finishPicture(const Landscape& scene) {
  Image image = makeImage(scene.canvas.width, scene.canvas.height, Rgba{0, 0, 0, 255});
  const Colour fallback = skyPalette(scene.sky).horizon;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Hole* hole = holeAt(scene, x, y);
      Colour c = canvasPixel(scene.canvas, x, y);
      if (!hole) {
        c = mixColour(fallback, Colour{c.r, c.g, c.b, 1.0f}, c.a);
        c.a = 1.0f;
      } else if (c.a < 0.5f / 255.0f) {
        c = withAlpha(throughColour(*hole, y), 0.0f);
      }
      auto byte = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); };
      setPixel(&image, x, y, Rgba{byte(c.r), byte(c.g), byte(c.b), byte(c.a)});
    }
  }
  return image;
}

// The foot of a fall: foam, a few stones and, when no pool lies close below, a
// small basin of painted water.
void paintFallFoot(Landscape* scene, const Box& fall, Colour stream, const CliffLook& look,
                   uint32_t seed) {
  Canvas* canvas = &scene->canvas;
  const float cx = (fall.x0 + fall.x1) * 0.5f;
  const float half = (fall.x1 - fall.x0) * 0.5f;
  bool poolBelow = false;
  for (int i = 0; i < scene->poolCount; ++i) {
    const Box& pool = scene->pools[i];
    if (pool.y0 >= fall.y1 - 4 && pool.y0 - fall.y1 < 50 && pool.x1 > fall.x0 && pool.x0 < fall.x1) poolBelow = true;
  }
  bool fallBelow = false;
  for (int i = 0; i < scene->fallCount; ++i) {
    const Box& other = scene->falls[i];
    if (std::abs(other.y0 - fall.y1) < 6 && other.x1 > fall.x0 && other.x0 < fall.x1) fallBelow = true;
  }
  if (fallBelow) return;
  if (!poolBelow) {
    // A small basin in the grass and, when a pool lies further down, a brook to it.
    const Point basin{cx, fall.y1 + 12.0f};
    for (int i = 0; i < scene->poolCount; ++i) {
      const Box& pool = scene->pools[i];
      if (pool.y0 <= fall.y1 || pool.x1 <= fall.x0 - 60 || pool.x0 >= fall.x1 + 60) continue;
      const float drop = pool.y0 + 12.0f - basin.y;
      const Point brook[4] = {basin, Point{cx - 30.0f, basin.y + drop * 0.35f}, Point{cx + 6.0f, basin.y + drop * 0.7f},
                              Point{cx - 24.0f, pool.y0 + 12.0f}};
      paintPath(canvas, brook, 4, half * 0.6f, half * 1.1f, lighten(stream, -0.05f), seed + 3u);
      break;
    }
    fillShape(canvas, boxAround(basin, half * 1.8f, 20.0f),
              [&](Point p) { return sdEllipse(p, basin, half * 1.6f + 3.0f, 12.0f); },
              [&](Point, float) { return rgb(90, 110, 80); });
    fillShape(canvas, boxAround(basin, half * 1.7f, 18.0f),
              [&](Point p) { return sdEllipse(p, Point{basin.x, basin.y + 1.0f}, half * 1.6f, 10.0f); },
              [&](Point p, float) {
                const float t = clamp01((p.y - basin.y + 10.0f) / 20.0f);
                return mixColour(scaleColour(stream, 0.8f), lighten(stream, 0.2f), t);
              });
  }
  // Stones either side of the landing water.
  for (int side = -1; side <= 1; side += 2) {
    const Point stone{cx + side * (half + 6.0f), fall.y1 + 6.0f};
    paintRock(canvas, stone, 26.0f + 10.0f * hashUnit(side, 3, seed), 18.0f, look.lit, look.shade,
              seed + static_cast<uint32_t>(side + 5));
  }
  // Foam where the water lands.
  RandomStream random{seed + 41u};
  for (int i = 0; i < 9; ++i) {
    const Point at{cx + randomRange(&random, -half, half), fall.y1 + randomRange(&random, -4.0f, 8.0f)};
    const float r = randomRange(&random, 4.0f, 9.0f);
    fillShapeColour(canvas, boxAround(at, r, r),
                    [&](Point p) { return sdEllipse(p, at, r * 1.3f, r * 0.7f); },
                    rgb(240, 250, 255, 235));
  }
}

}  // namespace

Box pixelBox(const ScenePlace& place) {
  const float left = std::min(place.left, place.right), right = std::max(place.left, place.right);
  const float top = std::max(place.top, place.bottom), bottom = std::min(place.top, place.bottom);
  return Box{static_cast<int>(std::floor(left + 400.0f)), static_cast<int>(std::floor(300.0f - top)),
             static_cast<int>(std::ceil(right + 400.0f)), static_cast<int>(std::ceil(300.0f - bottom))};
}

Skyline keepUnderSky(const Landscape& scene, Skyline line) {
  if (scene.skyBottom <= 0.0f) return line;
  for (float& y : line.top) y = std::min(y, scene.skyBottom - 3.0f);
  return line;
}

// True when `lower` continues `upper`: it starts where upper ends, under it.
bool continuesFall(const Box& upper, const Box& lower) {
  return std::abs(lower.y0 - upper.y1) < 6 && lower.x1 > upper.x0 && lower.x0 < upper.x1;
}

void paintFallCliffs(Landscape* scene, const CliffLook& look, Colour slope, Colour stream,
                     uint32_t seed) {
  Canvas* canvas = &scene->canvas;
  for (int head = 0; head < scene->fallCount; ++head) {
    // Each cascade (falls that continue one another) gets one hill, painted
    // from the fall at its top.
    bool continues = false;
    for (int i = 0; i < scene->fallCount; ++i) continues |= i != head && continuesFall(scene->falls[i], scene->falls[head]);
    if (continues) continue;
    int cascade[kMaxPlaces];
    int steps = 0;
    cascade[steps++] = head;
    for (bool grown = true; grown && steps < kMaxPlaces;) {
      grown = false;
      for (int i = 0; i < scene->fallCount && steps < kMaxPlaces; ++i) {
        if (continuesFall(scene->falls[cascade[steps - 1]], scene->falls[i])) {
          cascade[steps++] = i;
          grown = true;
          break;
        }
      }
    }
    const Box& first = scene->falls[head];
    const Box& last = scene->falls[cascade[steps - 1]];
    const uint32_t s = seed + static_cast<uint32_t>(head) * 31u;
    // The fall beside row y: its middle and half width.
    auto fallAt = [&](float y, float* cx, float* half) {
      const Box* best = &first;
      for (int k = 0; k < steps; ++k) {
        const Box& f = scene->falls[cascade[k]];
        if (y >= f.y0) best = &f;
      }
      *cx = (best->x0 + best->x1) * 0.5f;
      *half = (best->x1 - best->x0) * 0.5f;
    };
    float cx = 0.0f, half = 0.0f;
    fallAt(static_cast<float>(first.y0), &cx, &half);
    const float shoulder = half + 16.0f;
    const float top = first.y0 - 16.0f;
    // A hill whose crest holds the lip, sloping away to both sides.
    auto topAt = [&](float x) {
      const float away = std::max(0.0f, std::fabs(x - cx) - shoulder);
      return top + 0.02f * away * away + 0.6f * away + 6.0f * (fractalNoise(x / 26.0f, 0.5f, 2, s) - 0.5f);
    };
    // The rock face around the falls and above the last foot; grass on the flanks.
    auto rockiness = [&](Point p) {
      float fx = 0.0f, fh = 0.0f;
      fallAt(p.y, &fx, &fh);
      const float edge = fh + 22.0f + 0.12f * (p.y - top) + 14.0f * (fractalNoise(p.y / 30.0f, p.x / 60.0f, 2, s + 3u) - 0.5f);
      const float foot = last.y1 + 12.0f + 8.0f * valueNoise(p.x / 10.0f, 1.5f, s);
      return (1.0f - smoothstep(edge - 2.0f, edge + 2.0f, std::fabs(p.x - fx))) *
             (1.0f - smoothstep(foot - 1.5f, foot + 1.5f, p.y));
    };
    const float reach = shoulder + 140.0f;
    const Box area = clipBox(Box{static_cast<int>(cx - reach), static_cast<int>(top) - 10,
                                 static_cast<int>(cx + reach), canvas->height},
                             canvas->width, canvas->height);
    fillShape(canvas, area, [&](Point p) { return topAt(p.x) - p.y; },
              [&](Point p, float) {
                const float below = p.y - topAt(p.x);
                Colour grass = mixColour(lighten(slope, 0.12f), scaleColour(slope, 0.85f), smoothstep(0.0f, 160.0f, below));
                grass = lighten(grass, 0.05f * (valueNoise(p.x / 12.0f, p.y / 12.0f, s) - 0.5f));
                Colour c = mixColour(grass, cliffColour(p, look, s), rockiness(p));
                // A mossy lip along the crest; the face darkens into the spray below.
                if (below < 6.0f + 3.0f * valueNoise(p.x / 6.0f, 0.5f, s)) c = mixColour(lighten(slope, 0.25f), c, clamp01(below / 8.0f));
                return lighten(c, -0.12f * smoothstep(last.y1 - 60.0f, last.y1, p.y) * rockiness(p));
              });
    // The stream on the crest running into the lip.
    const float streamHalf = half - 4.0f;
    const Point corners[4] = {Point{cx - streamHalf, first.y0 + 2.0f}, Point{cx - streamHalf * 0.5f, topAt(cx) - 1.0f},
                              Point{cx + streamHalf * 0.5f, topAt(cx) - 1.0f}, Point{cx + streamHalf, first.y0 + 2.0f}};
    fillShape(canvas, boxAround(Point{cx, (first.y0 + topAt(cx)) * 0.5f}, streamHalf + 4.0f, 20.0f),
              [&](Point p) { return sdPolygon(p, corners, 4); },
              [&](Point p, float) {
                const float streak = std::sin((p.x - cx) * 0.8f + p.y * 0.1f);
                return lighten(stream, 0.1f + 0.1f * streak + 0.25f * smoothstep(first.y0 - 8.0f, first.y0 + 2.0f, p.y));
              });
    // Ledges where one fall hands over to the next: a rim of wet stone and foam.
    for (int k = 1; k < steps; ++k) {
      const Box& f = scene->falls[cascade[k]];
      const Point ledge{(f.x0 + f.x1) * 0.5f, static_cast<float>(f.y0)};
      const float w = (f.x1 - f.x0) * 0.5f + 8.0f;
      fillShape(canvas, boxAround(ledge, w + 2.0f, 8.0f),
                [&](Point p) { return sdRoundedBox(p, ledge, w, 5.0f, 4.0f); },
                [&](Point p, float) { return lighten(look.lit, p.y < ledge.y ? 0.1f : -0.2f); });
    }
    for (int k = 0; k < steps; ++k) cutWaterfall(canvas, scene->falls[cascade[k]], s + static_cast<uint32_t>(k));
    for (int k = 0; k < steps; ++k) paintFallFoot(scene, scene->falls[cascade[k]], stream, look, s + static_cast<uint32_t>(k));
  }
}

void paintPools(Landscape* scene, Colour bank, Colour stone, Colour reflection, uint32_t seed) {
  Canvas* canvas = &scene->canvas;
  scene->shore.top.assign(static_cast<size_t>(canvas->width), static_cast<float>(canvas->height));
  for (int i = 0; i < scene->poolCount; ++i) {
    const Box& pool = scene->pools[i];
    const uint32_t s = seed + static_cast<uint32_t>(i) * 17u;
    const float shoreDepth = std::min(18.0f, (pool.y1 - pool.y0) * 0.22f);
    // The bank: a grassy lip, then damp earth sloping into the water (painted
    // before the cut, which leaves its upper part).
    Skyline lip;
    lip.top.assign(static_cast<size_t>(canvas->width), static_cast<float>(canvas->height));
    const int lipFrom = pool.x0 <= 0 ? 0 : pool.x0 + 60, lipTo = pool.x1 >= canvas->width ? canvas->width : pool.x1 - 60;
    for (int x = std::max(0, lipFrom); x < std::min(canvas->width, lipTo); ++x) {
      lip.top[static_cast<size_t>(x)] = pool.y0 - 9.0f + 12.0f * (fractalNoise(x / 50.0f, 4.5f, 2, s) - 0.5f);
    }
    paintLand(canvas, lip, LandLook{lighten(bank, 0.18f), scaleColour(bank, 0.62f), shoreDepth * 1.6f + 10.0f,
                                    lighten(bank, 0.3f), 2.0f, 0.0f, 0.05f, 5.0f, s},
              std::min(canvas->height, pool.y0 + static_cast<int>(shoreDepth * 1.8f)));
    paintGrass(canvas, lip, static_cast<float>(std::max(0, lipFrom)), static_cast<float>(std::min(canvas->width, lipTo)), 9.0f,
               rgb(170, 220, 110), rgb(70, 130, 70), std::max(0, lipTo - lipFrom) / 3, s + 2u);
    const Skyline shore = cutPool(canvas, pool, shoreDepth, s);
    dressWater(canvas, pool, shore, reflection, s);
    for (size_t x = 0; x < shore.top.size(); ++x) scene->shore.top[x] = std::min(scene->shore.top[x], shore.top[x]);
    // Pebbles along the shore, half in the water, some in little groups.
    RandomStream random{s + 5u};
    const int pebbles = (pool.x1 - pool.x0) / 36;
    for (int k = 0; k < pebbles; ++k) {
      const float x = randomRange(&random, pool.x0 + 8.0f, pool.x1 - 8.0f);
      const float w = randomRange(&random, 8.0f, 20.0f) * (randomUnit(&random) < 0.2f ? 1.6f : 1.0f);
      const Colour tone = lighten(stone, randomRange(&random, -0.1f, 0.1f));
      paintRock(canvas, Point{x, skylineAt(shore, x) + w * 0.28f}, w, w * 0.62f, lighten(tone, 0.2f),
                scaleColour(tone, 0.7f), s + static_cast<uint32_t>(k) * 7u);
    }
  }
}

void calmBoardArea(Landscape* scene, float amount) {
  Canvas blurred = scene->canvas;
  blurCanvas(&blurred, 22.0f);
  Canvas* canvas = &scene->canvas;
  for (int y = 0; y < canvas->height; ++y) {
    for (int x = 0; x < canvas->width; ++x) {
      const float fx = x + 0.5f;
      const float w = amount * smoothstep(kBoardLeft - 30.0f, kBoardLeft + 30.0f, fx) *
                      (1.0f - smoothstep(kBoardRight - 30.0f, kBoardRight + 30.0f, fx));
      if (w <= 0.0f) continue;
      Colour& p = canvas->pixels[static_cast<size_t>(y) * canvas->width + x];
      const Colour& b = blurred.pixels[static_cast<size_t>(y) * canvas->width + x];
      if (p.a <= 0.0f || b.a <= 0.0f) continue;
      // Towards the local mean colour, keeping the pixel's own alpha.
      const float k = p.a / b.a;
      p = Colour{lerp(p.r, b.r * k, w), lerp(p.g, b.g * k, w), lerp(p.b, b.b * k, w), p.a};
    }
  }
}

Image drawLandscape(int index, const std::vector<ScenePlace>& places) {
  static Landscape scene;  // large; one background at a time
  scene = Landscape{};
  scene.index = index;
  scene.canvas = makeCanvas(kBackgroundWidth, kBackgroundHeight);
  scene.shore.top.assign(kBackgroundWidth, static_cast<float>(kBackgroundHeight));
  readPlaces(places, &scene);
  kPainters[std::max(0, std::min(15, index))](&scene);
  openBehindWindows(&scene);
  return finishPicture(scene);
}

void bleedEdgeColour(Image* image) {
  // A few rounds of growing colour outwards cover the filter's reach.
  std::vector<uint8_t> known(static_cast<size_t>(image->width) * image->height);
  for (size_t i = 0; i < known.size(); ++i) known[i] = image->pixels[i * 4 + 3] > 0;
  for (int round = 0; round < 4; ++round) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) {
        if (known[static_cast<size_t>(y) * image->width + x]) continue;
        int r = 0, g = 0, b = 0, n = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= image->width || ny >= image->height) continue;
            if (!known[static_cast<size_t>(ny) * image->width + nx]) continue;
            const Rgba c = getPixel(*image, nx, ny);
            r += c.r;
            g += c.g;
            b += c.b;
            ++n;
          }
        }
        if (n == 0) continue;
        setPixel(image, x, y, Rgba{static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n),
                                   static_cast<uint8_t>(b / n), 0});
        next[static_cast<size_t>(y) * image->width + x] = 1;
      }
    }
    known = std::move(next);
  }
}

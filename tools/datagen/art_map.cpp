// art_map.cpp: the adventure map "menumap.jpg": an island crossed by the road
// of "trajectory1.spl", cut into the fourteen zones along it (each pixel belongs
// to the zone of the nearest stretch of road), every zone dressed in its own
// ground and little landmarks, with a free place for its name. The road itself,
// a compass and a frame finish it; the game draws the names (in the player's
// language, on plates), the level marks and artefacts on top; the places of the
// names go to "mapnames.txt". Also the level mark "levelmark.tga".
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "art_map_local.h"
#include "datagen.h"
#include "text_metrics.h"

namespace {

constexpr int kCell = 4;  // the zone field is worked out on a coarse grid
// A name plate reaches this far beyond its name on each side (with its rim).
constexpr float kNamePlateMargin = 10.0f;
// The game draws the zones' names at this text size ("mapnames.txt" tells it).
constexpr float kZoneNameSize = 9.0f;

// What a pixel of the map belongs to: its zone, the next zone and how far in it lies.
struct ZoneField {
  int width, height;
  std::vector<uint8_t> zone, other;
  std::vector<float> inside;  // pixels to the border (half the distance gap)
};

// The zones' grounds: base, the shade its texture dips to, and an accent.
struct Ground {
  Colour base, low, accent;
};
const Ground kGrounds[kZoneCount] = {
    {rgb(156, 212, 112), rgb(120, 186, 96), rgb(200, 236, 150)},   // Pebble Brook
    {rgb(124, 194, 156), rgb(96, 166, 138), rgb(214, 236, 236)},   // Misty Falls
    {rgb(96, 176, 104), rgb(66, 146, 88), rgb(150, 214, 120)},     // Fern Cascade
    {rgb(242, 206, 136), rgb(222, 176, 110), rgb(255, 232, 170)},  // Amber Dunes
    {rgb(178, 176, 124), rgb(150, 146, 108), rgb(190, 136, 196)},  // Windswept Heath
    {rgb(156, 196, 206), rgb(124, 164, 184), rgb(214, 240, 250)},  // Glass Gorge
    {rgb(186, 156, 164), rgb(156, 124, 142), rgb(222, 196, 200)},  // Thunder Steps
    {rgb(86, 118, 168), rgb(64, 92, 144), rgb(170, 200, 250)},     // Moonlit Spring
    {rgb(168, 218, 124), rgb(136, 194, 104), rgb(214, 240, 160)},  // Willow Hollow
    {rgb(194, 176, 222), rgb(166, 148, 204), rgb(236, 214, 250)},  // Crystal Veil
    {rgb(190, 170, 116), rgb(160, 140, 96), rgb(255, 210, 130)},   // Lantern Creek
    {rgb(206, 228, 244), rgb(176, 204, 232), rgb(255, 255, 255)},  // Cloud Basin
    {rgb(206, 128, 96), rgb(170, 96, 80), rgb(255, 180, 110)},     // Ember Ridge
    {rgb(224, 232, 250), rgb(190, 204, 236), rgb(255, 255, 255)}}; // Starlight Summit

// Places the game covers on the map: the level miniature, the start button
// and the expert box (pixels).
const Box kCovered[3] = {{630, 30, 800, 160}, {610, 512, 800, 600}, {250, 524, 520, 580}};

Point pixelOf(RoadPoint p) { return Point{p.x + 400.0f, 300.0f - p.y}; }

// Distance along the road of each point (evenly spaced, so index x spacing).
float roadLength(const std::vector<Point>& road) {
  float total = 0.0f;
  for (size_t i = 1; i < road.size(); ++i) total += length(road[i] - road[i - 1]);
  return total;
}

// The zone of each road point.
std::vector<int> zonesOfRoad(const std::vector<Point>& road) {
  std::vector<int> zones(road.size(), 0);
  const float zoneLength = roadLength(road) / kZoneCount;
  float along = 0.0f;
  for (size_t i = 0; i < road.size(); ++i) {
    if (i > 0) along += length(road[i] - road[i - 1]);
    zones[i] = std::min(kZoneCount - 1, static_cast<int>(along / zoneLength));
  }
  return zones;
}

// Where the game stands artefact i (0..14): the road's point at a x i.
Point artefactPoint(const std::vector<Point>& road, int i) {
  const float zoneLength = roadLength(road) / kZoneCount;
  const float wanted = std::min(zoneLength * i, zoneLength * kZoneCount - 0.1f);
  float along = 0.0f;
  for (size_t k = 1; k < road.size(); ++k) {
    const float step = length(road[k] - road[k - 1]);
    if (along + step >= wanted) return road[k - 1] + (road[k] - road[k - 1]) * ((wanted - along) / step);
    along += step;
  }
  return road.back();
}

// A wobble so borders between zones meander.
Point warped(Point p) {
  return Point{p.x + 16.0f * (fractalNoise(p.x / 70.0f, p.y / 70.0f, 2, 801u) - 0.5f),
               p.y + 16.0f * (fractalNoise(p.x / 70.0f, p.y / 70.0f, 2, 802u) - 0.5f)};
}

ZoneField buildZoneField(const std::vector<Point>& road, const std::vector<int>& zones) {
  ZoneField field{kMapWidth / kCell + 1, kMapHeight / kCell + 1, {}, {}, {}};
  const size_t cells = static_cast<size_t>(field.width) * field.height;
  field.zone.resize(cells);
  field.other.resize(cells);
  field.inside.resize(cells);
  for (int cy = 0; cy < field.height; ++cy) {
    for (int cx = 0; cx < field.width; ++cx) {
      const Point p = warped(Point{cx * kCell + 0.5f, cy * kCell + 0.5f});
      float best = 1e9f, second = 1e9f;
      int zone = 0, other = 0;
      for (size_t i = 0; i < road.size(); ++i) {
        const float d = length(p - road[i]);
        if (d < best) {
          if (zones[i] != zone) {
            second = best;
            other = zone;
          }
          best = d;
          zone = zones[i];
        } else if (d < second && zones[i] != zone) {
          second = d;
          other = zones[i];
        }
      }
      const size_t at = static_cast<size_t>(cy) * field.width + cx;
      field.zone[at] = static_cast<uint8_t>(zone);
      field.other[at] = static_cast<uint8_t>(other);
      field.inside[at] = (second - best) * 0.5f;
    }
  }
  return field;
}

// The coast: land inside a rounded frame whose edge wanders.
float coastDistance(Point p) {
  const float wobble = 10.0f * (fractalNoise(p.x / 60.0f, p.y / 60.0f, 3, 811u) - 0.5f);
  return sdRoundedBox(p, Point{400.0f, 326.0f}, 392.0f, 212.0f, 60.0f) + wobble;
}

Colour groundColour(int zone, Point p) {
  const Ground& g = kGrounds[zone];
  const float n = fractalNoise(p.x / 40.0f, p.y / 40.0f, 3, 820u + zone);
  Colour c = mixColour(g.low, g.base, smoothstep(0.3f, 0.7f, n));
  // A little texture of the zone's kind.
  switch (zone) {
    case 3: {  // dune ripples
      const float wave = std::sin(p.y * 0.5f + 4.0f * valueNoise(p.x / 40.0f, p.y / 30.0f, 830u));
      c = mixColour(c, g.accent, 0.35f * smoothstep(0.6f, 1.0f, wave));
      break;
    }
    case 4:  // heather flecks
      if (valueNoise(p.x / 3.0f, p.y / 3.0f, 831u) > 0.78f) c = mixColour(c, g.accent, 0.7f);
      break;
    case 7:
    case 13:  // starry sparkle in the night and the snow
      if (hashUnit(static_cast<int>(p.x), static_cast<int>(p.y), 832u) > 0.996f) c = mixColour(c, g.accent, 0.9f);
      break;
    default:
      c = lighten(c, 0.05f * (valueNoise(p.x / 5.0f, p.y / 5.0f, 833u) - 0.5f));
  }
  return c;
}

Colour seaColour(Point p, float coast) {
  Colour c = mixColour(rgb(120, 200, 226), rgb(70, 150, 204), smoothstep(0.0f, 60.0f, coast));
  const float wave = std::sin(p.x * 0.09f + 6.0f * valueNoise(p.x / 50.0f, p.y / 20.0f, 840u)) *
                     std::sin(p.y * 0.4f);
  if (wave > 0.93f) c = mixColour(c, rgb(230, 246, 252), 0.6f);
  return c;
}

void paintGround(Canvas* canvas, const ZoneField& field) {
  for (int y = 0; y < kMapHeight; ++y) {
    for (int x = 0; x < kMapWidth; ++x) {
      const Point p{x + 0.5f, y + 0.5f};
      const size_t cell = static_cast<size_t>(y / kCell) * field.width + x / kCell;
      const int zone = field.zone[cell], other = field.other[cell];
      // Bilinear depth inside the zone, for a soft seam between neighbours.
      const float fx = p.x / kCell - 0.5f, fy = p.y / kCell - 0.5f;
      const int x0 = std::max(0, std::min(field.width - 2, static_cast<int>(fx)));
      const int y0 = std::max(0, std::min(field.height - 2, static_cast<int>(fy)));
      const float tx = clamp01(fx - x0), ty = clamp01(fy - y0);
      auto in = [&](int cx, int cy) {
        const size_t at = static_cast<size_t>(cy) * field.width + cx;
        return field.zone[at] == zone ? field.inside[at] : -field.inside[at];
      };
      const float inside = lerp(lerp(in(x0, y0), in(x0 + 1, y0), tx), lerp(in(x0, y0 + 1), in(x0 + 1, y0 + 1), tx), ty);
      Colour c = groundColour(zone, p);
      if (other != zone) {
        c = mixColour(mixColour(groundColour(other, p), c, 0.5f), c, smoothstep(0.0f, 7.0f, inside));
        // A faint dotted border between zones.
        if (inside < 1.2f && (x + y) % 6 < 3) c = lighten(c, -0.16f);
      }
      const float coast = coastDistance(p);
      if (coast > -6.0f) {
        // Sand and foam at the shore, sea beyond.
        const Colour sand = rgb(246, 226, 170);
        c = mixColour(c, sand, smoothstep(-6.0f, -2.0f, coast));
        if (coast > 1.0f) c = mixColour(rgb(240, 250, 252), seaColour(p, coast), smoothstep(1.0f, 5.0f, coast));
      }
      paintPixel(canvas, x, y, c, 1.0f);
    }
  }
}

void paintRoad(Canvas* canvas, const std::vector<Point>& road) {
  // Distance to the road, worked out once near each stretch of it.
  constexpr float kReach = 14.0f;
  std::vector<float> distance(static_cast<size_t>(kMapWidth) * kMapHeight, 1e9f);
  for (size_t i = 0; i + 1 < road.size(); ++i) {
    const Box box = clipBox(Box{static_cast<int>(std::min(road[i].x, road[i + 1].x) - kReach),
                                static_cast<int>(std::min(road[i].y, road[i + 1].y) - kReach),
                                static_cast<int>(std::max(road[i].x, road[i + 1].x) + kReach) + 1,
                                static_cast<int>(std::max(road[i].y, road[i + 1].y) + kReach) + 1},
                            kMapWidth, kMapHeight);
    for (int y = box.y0; y < box.y1; ++y) {
      for (int x = box.x0; x < box.x1; ++x) {
        float& d = distance[static_cast<size_t>(y) * kMapWidth + x];
        d = std::min(d, sdCapsule(Point{x + 0.5f, y + 0.5f}, road[i], road[i + 1], 0.0f));
      }
    }
  }
  auto at = [&](Point p) {
    const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
    if (x < 0 || y < 0 || x >= kMapWidth || y >= kMapHeight) return 1e9f;
    return distance[static_cast<size_t>(y) * kMapWidth + x];
  };
  const Box all = wholeCanvas(*canvas);
  // Shadow, border, then the sandy top.
  fillShapeColour(canvas, all, [&](Point p) { return at(p - Point{1.5f, 2.5f}) - 9.0f; }, rgb(40, 50, 40, 60), 3.0f);
  fillShapeColour(canvas, all, [&](Point p) { return at(p) - 8.5f; }, rgb(150, 112, 78));
  fillShape(canvas, all, [&](Point p) { return at(p) - 6.5f; },
            [&](Point p, float d) {
              const float grain = valueNoise(p.x / 2.5f, p.y / 2.5f, 850u) - 0.5f;
              return lighten(mixColour(rgb(250, 230, 184), rgb(226, 196, 148), clamp01(1.0f + d / 6.5f)), grain * 0.08f);
            });
}

// Free room for something of radius r at p: off the road, the artefacts, the
// game's controls and (unless it may stand by the shore) the sea.
bool roomAt(Point p, float r, const std::vector<Point>& road, const std::vector<Point>& keepOut,
            float keepOutRadius, bool byTheShore = false) {
  if (!byTheShore && coastDistance(p) > -r - 8.0f) return false;
  if (p.x - r < 4.0f || p.x + r > kMapWidth - 4.0f) return false;
  for (const Box& box : kCovered) {
    if (p.x + r > box.x0 && p.x - r < box.x1 && p.y + r > box.y0 && p.y - r < box.y1) return false;
  }
  for (const Point& q : road) {
    if (length(p - q) < r + 16.0f) return false;
  }
  for (const Point& q : keepOut) {
    if (length(p - q) < r + keepOutRadius) return false;
  }
  return true;
}

int zoneAt(const ZoneField& field, Point p) {
  const int cx = std::max(0, std::min(field.width - 1, static_cast<int>(p.x) / kCell));
  const int cy = std::max(0, std::min(field.height - 1, static_cast<int>(p.y) / kCell));
  return field.zone[static_cast<size_t>(cy) * field.width + cx];
}

// A free place for each zone's name plate, `halves[zone]` wide each side, near
// its stretch of road; what the plates cover is kept out of the landmarks' way.
// A zone without room has no place (x < 0).
std::vector<Point> placeNames(const std::vector<Point>& road, const std::vector<int>& zones,
                              const ZoneField& field, const std::vector<float>& halves,
                              std::vector<Point>* keepOut) {
  std::vector<Point> places(kZoneCount, Point{-1.0f, -1.0f});
  for (int zone = 0; zone < kZoneCount && zone < static_cast<int>(halves.size()); ++zone) {
    const float half = halves[static_cast<size_t>(zone)];
    Point centre{0.0f, 0.0f};
    int count = 0;
    for (size_t i = 0; i < road.size(); ++i) {
      if (zones[i] == zone) {
        centre = centre + road[i];
        ++count;
      }
    }
    if (count == 0) continue;
    centre = centre * (1.0f / count);
    // The nearest free spot; where a zone is cramped (a turn of the road) wider
    // searches let the plate lie a little closer to the road, and at last reach
    // over the shore.
    Point best{0.0f, 0.0f};
    float bestScore = -1e9f;
    constexpr float kReachX[3] = {110.0f, 160.0f, 220.0f}, kReachY[3] = {50.0f, 80.0f, 110.0f};
    constexpr float kClearance[3] = {10.0f, 4.0f, 2.0f};
    for (int pass = 0; pass < 3 && bestScore <= -1e8f; ++pass) {
      const float reachX = kReachX[pass], reachY = kReachY[pass];
      const float clearance = kClearance[pass];
      for (float dy = -reachY; dy <= reachY; dy += 5.0f) {
        for (float dx = -reachX; dx <= reachX; dx += 10.0f) {
          const Point p{centre.x + dx, centre.y + dy};
          bool free = zoneAt(field, p) == zone &&
                      (pass > 0 || (zoneAt(field, Point{p.x - half, p.y}) == zone && zoneAt(field, Point{p.x + half, p.y}) == zone));
          // The whole plate keeps clear, not only its ends and middle.
          for (float x = -(half - 8.0f); x <= half - 8.0f + 0.5f && free; x += 12.0f) {
            free = roomAt(Point{p.x + x, p.y}, clearance, road, *keepOut, 30.0f, pass == 2);
          }
          if (!free) continue;
          const float score = -length(p - centre) * 0.5f - std::fabs(dy) * 0.3f;
          if (score > bestScore) {
            bestScore = score;
            best = p;
          }
        }
      }
    }
    if (bestScore <= -1e8f) continue;
    places[static_cast<size_t>(zone)] = best;
    for (float x = best.x - half; x <= best.x + half; x += 12.0f) keepOut->push_back(Point{x, best.y});
  }
  return places;
}

// Scatters each zone's landmarks over the free parts of its ground.
void paintLandmarks(Canvas* canvas, const std::vector<Point>& road, const ZoneField& field,
                    std::vector<Point>* keepOut) {
  struct Spot {
    Point at;
    int zone;
    float size;
  };
  std::vector<Spot> spots;
  RandomStream random{860u};
  for (int attempt = 0; attempt < 6000 && spots.size() < 260; ++attempt) {
    const Point p{randomRange(&random, 10.0f, kMapWidth - 10.0f), randomRange(&random, 40.0f, kMapHeight - 30.0f)};
    const float size = randomRange(&random, 16.0f, 28.0f);
    if (!roomAt(p, size * 0.55f, road, *keepOut, 14.0f)) continue;
    bool crowded = false;
    for (const Spot& s : spots) crowded |= length(s.at - p) < (s.size + size) * 0.5f;
    if (crowded) continue;
    spots.push_back(Spot{p, zoneAt(field, p), size});
  }
  // Farther (higher) ones first, so nearer ones overlap them.
  std::sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.at.y < b.at.y; });
  uint32_t seed = 870u;
  for (const Spot& s : spots) paintLandmark(canvas, s.zone, Point{s.at.x, s.at.y + s.size * 0.45f}, s.size, seed++);
}

// A frame and a soft shade towards the edges.
void paintFrame(Canvas* canvas) {
  for (int y = 0; y < kMapHeight; ++y) {
    for (int x = 0; x < kMapWidth; ++x) {
      const Point p{x + 0.5f, y + 0.5f};
      const float d = -sdRoundedBox(p, Point{400.0f, 300.0f}, 400.0f, 300.0f, 0.0f);
      const float vignette = 1.0f - 0.18f * (1.0f - smoothstep(0.0f, 90.0f, d));
      Colour& px = canvas->pixels[static_cast<size_t>(y) * kMapWidth + x];
      px = Colour{px.r * vignette, px.g * vignette, px.b * vignette, px.a};
      if (d < 7.0f) {
        const Colour wood = d < 1.5f || (d > 5.0f && d < 6.0f) ? rgb(90, 60, 40) : rgb(170, 120, 72);
        paintPixel(canvas, x, y, lighten(wood, 0.05f * std::sin(p.x * 0.3f + p.y * 0.3f)), 1.0f);
      }
    }
  }
}

// The widest name of each zone in any language, measured as the game measures it.
std::vector<float> widestZoneNames() {
  std::vector<float> widest;
  for (int zone = 0; zone < kZoneCount; ++zone) {
    widest.push_back(widestTranslation("stagename1", zone, kZoneNameSize));
  }
  return widest;
}

// "mapnames.txt": each zone's place in overlay units (y up) and the room it has.
std::vector<uint8_t> namePlacesFile(const std::vector<Point>& places,
                                    const std::vector<float>& rooms) {
  std::string text = format("# The zones' names: their text size, and each one's centre x, y and\n"
                            "# the widest name it has room for.\nsize=%.1f\n", kZoneNameSize);
  for (int zone = 0; zone < kZoneCount; ++zone) {
    const Point p = places[static_cast<size_t>(zone)];
    if (p.x < 0.0f) {
      reportError("menumap.jpg", 0, format("no room on the map for the name of zone %i (%.0f units)",
                                           zone + 1, rooms[static_cast<size_t>(zone)]));
      continue;
    }
    // The room is rounded up, so the name measured fits it.
    text += format("zone%i=(%.1f, %.1f, %.1f)\n", zone + 1, p.x - 400.0f, 300.0f - p.y,
                   std::ceil(rooms[static_cast<size_t>(zone)] * 10.0f) / 10.0f);
  }
  return toCrLf(text + "\n");
}

}  // namespace

std::vector<RoadPoint> readRoad() {
  std::vector<RoadPoint> road;
  const OutputFile* file = findOutput(Place::Root, "trajectory1.spl");
  if (!file || file->bytes.size() < 8) return road;
  uint32_t count = 0;
  std::memcpy(&count, file->bytes.data(), 4);
  for (uint32_t i = 0; i < count && 8 + (i + 1) * 8 <= file->bytes.size(); ++i) {
    float x = 0.0f, y = 0.0f;
    std::memcpy(&x, file->bytes.data() + 8 + i * 8, 4);
    std::memcpy(&y, file->bytes.data() + 12 + i * 8, 4);
    road.push_back(RoadPoint{x, y + 30.0f});
  }
  return road;
}

Image drawAdventureMap(const std::vector<RoadPoint>& roadPoints, const std::vector<float>& nameRooms,
                       std::vector<uint8_t>* namePlaces) {
  Canvas canvas = makeCanvas(kMapWidth, kMapHeight, rgb(90, 170, 210));
  std::vector<Point> road;
  for (const RoadPoint& p : roadPoints) road.push_back(pixelOf(p));
  if (road.size() < 2) return canvasToImage(canvas);
  const std::vector<int> zones = zonesOfRoad(road);
  const ZoneField field = buildZoneField(road, zones);
  paintGround(&canvas, field);
  paintSeaLife(&canvas);
  std::vector<Point> keepOut;
  for (int i = 0; i <= kZoneCount; ++i) keepOut.push_back(artefactPoint(road, i));
  paintCompass(&canvas, Point{62.0f, 66.0f}, 40.0f);
  keepOut.push_back(Point{62.0f, 66.0f});
  std::vector<float> halves;
  for (const float room : nameRooms) halves.push_back(room * 0.5f + kNamePlateMargin);
  const std::vector<Point> places = placeNames(road, zones, field, halves, &keepOut);
  if (namePlaces) *namePlaces = namePlacesFile(places, nameRooms);
  paintLandmarks(&canvas, road, field, &keepOut);
  paintRoad(&canvas, road);
  paintFrame(&canvas);
  return canvasToImage(canvas);
}

Image drawAdventureMapPicture() {
  loadTypeface();
  std::vector<uint8_t> places;
  Image map = drawAdventureMap(readRoad(), widestZoneNames(), &places);
  addOutput(Place::TextsPack, "mapnames.txt", std::move(places));
  return map;
}

Image drawLevelMark() {
  // A rounded arrowhead pointing along +x: light so the game's tints read,
  // with a darker rim that keeps it visible on any ground.
  Canvas canvas = makeCanvas(32, 32);
  const Point corners[4] = {{5.0f, 7.0f}, {27.0f, 16.0f}, {5.0f, 25.0f}, {10.0f, 16.0f}};
  auto shape = [&](Point p) { return sdPolygon(p, corners, 4) - 2.5f; };
  fillShapeColour(&canvas, Box{0, 0, 32, 32}, [&](Point p) { return shape(p - Point{0.8f, 1.2f}) - 0.5f; }, rgb(0, 0, 0, 90), 2.0f);
  fillShapeColour(&canvas, Box{0, 0, 32, 32}, shape, rgb(70, 70, 70));
  fillShape(&canvas, Box{0, 0, 32, 32}, [&](Point p) { return shape(p) + 2.0f; },
            [&](Point p, float) { return mixColour(rgb(255, 255, 255), rgb(196, 196, 196), clamp01((p.y - 8.0f) / 18.0f)); });
  fillShapeColour(&canvas, Box{0, 0, 32, 32}, [&](Point p) { return sdEllipse(p, Point{12.0f, 12.5f}, 5.0f, 2.2f); },
                  rgb(255, 255, 255, 200), 1.5f);
  Image image = canvasToImage(canvas);
  bleedEdgeColour(&image);
  return image;
}

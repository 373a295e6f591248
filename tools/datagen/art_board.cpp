// art_board.cpp: the pieces on the board: the eight balls with their marks, the
// joker, both bombs, the turning diamond, the chain, the ball shadow, the three
// floor tiles with their glints and the cell highlight. Balls fill a 64 x 64
// picture that the game draws about 35 units wide on a 40-unit cell; floor tiles
// are drawn 46.2 units wide, so the cell itself is the middle 55.4 texels.
#include <algorithm>
#include <cmath>

#include "art.h"

// Colours sit apart in hue and in lightness; the mark carries the rest.
const BallStyle kBallStyles[kBallColourCount] = {
    {"red", rgb(226, 44, 52), BallMark::Heart, "heart"},
    {"orange", rgb(250, 128, 24), BallMark::Triangle, "triangle"},
    {"yellow", rgb(250, 214, 40), BallMark::Star, "star"},
    {"green", rgb(62, 182, 58), BallMark::Plus, "plus"},
    {"cyan", rgb(36, 196, 222), BallMark::Drop, "drop"},
    {"blue", rgb(44, 82, 222), BallMark::Square, "square"},
    {"purple", rgb(150, 62, 210), BallMark::Crescent, "crescent"},
    {"pink", rgb(246, 104, 184), BallMark::Ring, "ring"}};

namespace {

constexpr Point kBallCentre{32.0f, 32.0f};
constexpr float kBallRadius = 28.5f;

// top (straight colour, its alpha as the amount) laid over under; under's alpha kept.
Colour over(Colour under, Colour top) {
  return mixColour(under, Colour{top.r, top.g, top.b, under.a}, top.a);
}

}  // namespace

Colour sphereShade(Point p, Point centre, float radius, Colour base) {
  const Vec3f n = sphereNormal(p, centre, radius);
  const float t = 0.25f + 0.75f * lambert(n, kLightDirection);
  const Colour dark = scaleColour(base, 0.48f);
  const Colour light = lighten(base, 0.3f);
  Colour c = t < 0.7f ? mixColour(dark, base, t / 0.7f) : mixColour(base, light, (t - 0.7f) / 0.3f);
  // Light thrown back from the floor warms the lower right rim.
  const float r = length(p - centre) / radius;
  const float facing = clamp01(n.x * 0.55f + n.y * 0.83f);
  c = mixColour(c, lighten(base, 0.22f), smoothstep(0.55f, 0.95f, r) * facing * 0.5f);
  // A darker rim keeps the silhouette crisp on any floor.
  c = mixColour(c, scaleColour(base, 0.4f), smoothstep(0.86f, 1.0f, r) * 0.75f);
  return Colour{c.r, c.g, c.b, 1.0f};
}

Colour sphereGloss(Point p, Point centre, float radius) {
  const Vec3f n = sphereNormal(p, centre, radius);
  const float spot = specular(n, kLightDirection, 70.0f);
  // A broad sheen across the top, fading downwards.
  const Point q = rotatePoint(p, centre + Point{-0.2f * radius, -0.5f * radius}, 25.0f);
  const float e = sdEllipse(q, centre + Point{-0.2f * radius, -0.5f * radius}, 0.55f * radius,
                            0.3f * radius);
  const float inside = 1.0f - smoothstep(-0.25f * radius, 0.08f * radius, e);
  const float fade = 1.0f - clamp01((p.y - (centre.y - 0.8f * radius)) / (0.6f * radius));
  const float sheen = inside * (0.15f + 0.45f * fade);
  return withAlpha(kWhite, clamp01(std::max(spot * 0.95f, sheen)));
}

Colour glossySphere(Point p, Point centre, float radius, Colour base) {
  return over(sphereShade(p, centre, radius, base), sphereGloss(p, centre, radius));
}

namespace {

// Signed distance of a ball's mark of half-size s centred on c.
float markDistance(BallMark mark, Point p, Point c, float s) {
  switch (mark) {
    case BallMark::Heart: return sdHeart(p, c + Point{0.0f, 0.06f * s}, 0.98f * s);
    case BallMark::Triangle: {
      const Point corners[3] = {c + Point{0.0f, -0.9f * s}, c + Point{0.86f * s, 0.62f * s},
                                c + Point{-0.86f * s, 0.62f * s}};
      return sdPolygon(p, corners, 3) - 0.14f * s;
    }
    case BallMark::Star: return sdStar(p, c + Point{0.0f, 0.06f * s}, 1.08f * s, 0.47f * s, 5, 0.0f) - 0.06f * s;
    case BallMark::Plus:
      return std::min(sdRoundedBox(p, c, 0.92f * s, 0.31f * s, 0.16f * s),
                      sdRoundedBox(p, c, 0.31f * s, 0.92f * s, 0.16f * s));
    case BallMark::Drop: {
      const Point tip[3] = {c + Point{0.0f, -1.05f * s}, c + Point{0.6f * s, 0.12f * s},
                            c + Point{-0.6f * s, 0.12f * s}};
      return sdSmoothUnion(sdCircle(p, c + Point{0.0f, 0.3f * s}, 0.7f * s),
                           sdPolygon(p, tip, 3), 0.25f * s);
    }
    case BallMark::Square: return sdRoundedBox(p, c, 0.7f * s, 0.7f * s, 0.2f * s);
    case BallMark::Crescent:
      return sdSubtract(sdCircle(p, c, 0.9f * s), sdCircle(p, c + Point{0.42f * s, -0.28f * s}, 0.72f * s));
    case BallMark::Ring: return sdRing(p, c, 0.66f * s, 0.36f * s);
  }
  return 1.0f;
}

// A ball with a white mark pressed into it: dark outline, soft shadow below.
Colour markedBall(Point p, Colour base, BallMark mark) {
  const Point c = kBallCentre;
  const float s = 0.45f * kBallRadius;
  Colour colour = sphereShade(p, c, kBallRadius, base);
  const float md = markDistance(mark, p, c, s);
  const float shadow = coverage(markDistance(mark, p - Point{0.8f, 1.4f}, c, s), 2.0f);
  colour = mixColour(colour, scaleColour(base, 0.45f), shadow * 0.5f);
  const Colour rim = scaleColour(base, 0.55f);
  colour = mixColour(colour, withAlpha(rim, 1.0f), coverage(md - 1.1f));
  const Vec3f n = sphereNormal(p, c, kBallRadius);
  const Colour face = scaleColour(lighten(base, 0.86f), 0.9f + 0.1f * lambert(n, kLightDirection));
  colour = mixColour(colour, withAlpha(face, 1.0f), coverage(md));
  return over(colour, sphereGloss(p, c, kBallRadius));
}

}  // namespace

Image drawBallPicture(int colour) {
  const BallStyle& style = kBallStyles[colour];
  Canvas canvas = makeCanvas(64, 64);
  fillShape(&canvas, boxAround(kBallCentre, kBallRadius, kBallRadius),
            [](Point p) { return sdCircle(p, kBallCentre, kBallRadius); },
            [&](Point p, float) { return markedBall(p, style.colour, style.mark); });
  return canvasToImage(canvas);
}

// The joker: a swirl of every ball colour under a white star.
Image drawJokerPicture() {
  Canvas canvas = makeCanvas(64, 64);
  const Point c = kBallCentre;
  auto shader = [&](Point p, float) {
    const Point d = p - c;
    const float r = length(d) / kBallRadius;
    const float angle = std::atan2(d.y, d.x) * 180.0f / kPi;
    const Colour swirl = fromHsv(angle + 140.0f * r, 0.78f, 1.0f);
    Colour colour = sphereShade(p, c, kBallRadius, swirl);
    const float star = sdStar(p, c + Point{0.0f, 0.8f}, 14.5f, 6.4f, 5, 0.0f) - 0.6f;
    const float glow = 1.0f - smoothstep(-2.0f, 7.0f, star);
    colour = mixColour(colour, withAlpha(lighten(swirl, 0.7f), 1.0f), glow * 0.55f);
    colour = mixColour(colour, rgb(120, 80, 40), coverage(star - 1.1f) * 0.6f);
    colour = mixColour(colour, rgb(255, 252, 236), coverage(star));
    return over(colour, sphereGloss(p, c, kBallRadius));
  };
  fillShape(&canvas, boxAround(c, kBallRadius, kBallRadius),
            [&](Point p) { return sdCircle(p, c, kBallRadius); }, shader);
  return canvasToImage(canvas);
}

namespace {

// A four-point spark of light added at p (the fuse of a bomb, glints).
void addSpark(Canvas* canvas, Point p, float size, Colour colour) {
  addShape(canvas, boxAround(p, size, size),
           [&](Point q) {
             const Point d = q - p;
             const float across = std::min(std::fabs(d.x), std::fabs(d.y));
             const float along = std::max(std::fabs(d.x), std::fabs(d.y));
             return std::min(length(d) - size * 0.28f, across * 3.2f + along * 0.55f - size * 0.55f);
           },
           [&](Point q, float) {
             const float fall = 1.0f - clamp01(length(q - p) / size);
             return withAlpha(colour, colour.a * fall * fall);
           },
           2.0f);
}

struct BombLook {
  Colour body;
  Colour band;
  int dots;
};

// The bomb's body at p: a glossy sphere with its band and studs.
Colour bombBody(Point p, Point c, float radius, const BombLook& look) {
  Colour colour = sphereShade(p, c, radius, look.body);
  // A bright band around the middle, bent with the sphere.
  const Vec3f n = sphereNormal(p, c, radius);
  const float band = std::fabs(n.y + 0.12f);
  const float inBand = 1.0f - smoothstep(0.1f, 0.14f, band);
  const Colour bandColour = sphereShade(p, c, radius, look.band);
  colour = mixColour(colour, bandColour, inBand);
  colour = mixColour(colour, scaleColour(look.band, 0.5f), smoothstep(0.1f, 0.12f, band) *
                                                           (1.0f - smoothstep(0.14f, 0.17f, band)) * 0.8f);
  // Studs on the band tell the bombs apart: three or four.
  for (int i = 0; i < look.dots; ++i) {
    const float t = (i - (look.dots - 1) * 0.5f) * (look.dots == 3 ? 0.52f : 0.42f);
    const Point at = c + Point{std::sin(t) * radius * 0.93f, -0.12f * radius};
    const float d = length(p - at) - 2.6f;
    colour = mixColour(colour, glossySphere(p, at, 2.6f, rgb(255, 246, 210)), coverage(d));
  }
  return over(colour, sphereGloss(p, c, radius));
}

}  // namespace

Image drawBombPicture(bool quadro) {
  const BombLook look = quadro ? BombLook{rgb(96, 46, 140), rgb(250, 196, 60), 4}
                               : BombLook{rgb(56, 68, 96), rgb(235, 238, 245), 3};
  Canvas canvas = makeCanvas(64, 64);
  const Point c{28.5f, 37.5f};
  const float radius = 24.0f;
  fillShape(&canvas, boxAround(c, radius, radius), [&](Point p) { return sdCircle(p, c, radius); },
            [&](Point p, float) { return bombBody(p, c, radius, look); });
  // The brass cap on the upper right of the body and the fuse curling out of it.
  const Point capCentre = c + Point{15.5f, -15.5f};
  const Colour brass = rgb(224, 176, 76);
  const Point fuseBend = capCentre + Point{3.0f, -9.0f};
  const Point fuseEnd = capCentre + Point{11.0f, -13.5f};
  auto fuse = [&](Point p) { return std::min(sdCapsule(p, capCentre, fuseBend, 1.7f), sdCapsule(p, fuseBend, fuseEnd, 1.6f)); };
  fillShapeColour(&canvas, boxAround(capCentre, 16.0f, 16.0f), [&](Point p) { return fuse(p) - 0.8f; }, rgb(60, 36, 16));
  fillShape(&canvas, boxAround(capCentre, 16.0f, 16.0f), fuse, [&](Point p, float d) {
    const float twist = 0.5f + 0.5f * std::sin((p.x + p.y) * 1.6f);
    return mixColour(rgb(150, 108, 60), rgb(226, 190, 130), clamp01(-d / 1.6f) * 0.6f + twist * 0.3f);
  });
  auto cap = [&](Point p) { return sdRoundedBox(rotatePoint(p, capCentre, 45.0f), capCentre, 4.0f, 6.8f, 1.8f); };
  fillShapeColour(&canvas, boxAround(capCentre, 9.0f, 9.0f), [&](Point p) { return cap(p) - 0.8f; }, rgb(90, 56, 14));
  fillShape(&canvas, boxAround(capCentre, 9.0f, 9.0f), cap, [&](Point p, float) {
    const float t = linearParam(p, capCentre + Point{-4, -4}, capCentre + Point{4, 4});
    return mixColour(lighten(brass, 0.45f), scaleColour(brass, 0.6f), t);
  });
  const Colour flame = quadro ? rgb(255, 150, 220) : rgb(255, 200, 90);
  addShape(&canvas, boxAround(fuseEnd, 10.0f, 10.0f), [&](Point p) { return length(p - fuseEnd) - 10.0f; },
           [&](Point p, float) {
             const float f = 1.0f - clamp01(length(p - fuseEnd) / 10.0f);
             return withAlpha(flame, f * f);
           });
  addSpark(&canvas, fuseEnd, 9.0f, rgb(255, 255, 235));
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// The diamond: a cut gem of eight sides turning about its upright axis; sixteen
// frames turn it by one side, so the loop is seamless.

namespace {

constexpr int kGemSides = 8;
constexpr int kGemScale = 4;  // drawn four times larger, then averaged

struct GemFacet {
  Point corners[4];
  int count;
  float depth;   // painter's order: far facets first
  Colour colour;
};

// A point of the gem's ring of that radius and height, turned by angle, in the
// four-times canvas.
Point gemVertex(float radius, float y, float angle) {
  constexpr float kTilt = 0.3f;  // seen a little from above
  return Point{(32.0f + radius * std::sin(angle)) * kGemScale,
               (y + radius * std::cos(angle) * kTilt) * kGemScale};
}

// Light of a facet with the given normal: the sky from the upper left and a
// ring of reflections that flashes as the facet turns, with a touch of fire
// (violet and rose) in the brightest flashes.
Colour gemLight(Vec3f n, float angle) {
  const float sky = lambert(n, Vec3f{-0.5f, -0.7f, 0.5f});
  const float flash = std::pow(0.5f + 0.5f * std::sin(angle * 3.0f + 0.7f), 4.0f);
  const float fire = std::pow(0.5f + 0.5f * std::sin(angle * 5.0f + 2.1f), 6.0f);
  const float hue = 208.0f + 14.0f * std::sin(angle * 2.0f) + 60.0f * fire;
  const float value = clamp01(0.36f + 0.5f * sky + 0.4f * flash);
  const float saturation = clamp01(0.95f - 0.6f * sky - 0.65f * flash);
  return fromHsv(hue, saturation, value);
}

// The gem's facets for a frame, far ones first.
void addGemFacets(int frame, std::vector<GemFacet>* facets) {
  const float turn = (frame / 16.0f) * (2.0f * kPi / kGemSides);
  constexpr float kTable = 15.0f, kGirdle = 28.5f, kTableY = 13.0f, kGirdleY = 25.0f, kTipY = 60.0f;
  const Point tip{32.0f * kGemScale, kTipY * kGemScale};
  for (int i = 0; i < kGemSides; ++i) {
    const float a0 = turn + i * 2.0f * kPi / kGemSides;
    const float a1 = a0 + 2.0f * kPi / kGemSides;
    const float mid = (a0 + a1) * 0.5f;
    const float depth = std::cos(mid);
    const Vec3f crownNormal = normalise(Vec3f{std::sin(mid) * 0.8f, -0.6f, std::cos(mid) * 0.8f});
    const Vec3f pavilionNormal = normalise(Vec3f{std::sin(mid) * 0.75f, 0.66f, std::cos(mid) * 0.75f});
    GemFacet crown{{gemVertex(kTable, kTableY, a0), gemVertex(kTable, kTableY, a1),
                    gemVertex(kGirdle, kGirdleY, a1), gemVertex(kGirdle, kGirdleY, a0)},
                   4, 10.0f + depth, gemLight(crownNormal, mid)};
    GemFacet pavilion{{gemVertex(kGirdle, kGirdleY, a0), gemVertex(kGirdle, kGirdleY, a1), tip, tip},
                      3, depth, mixColour(gemLight(pavilionNormal, mid + 1.3f), rgb(20, 60, 170), 0.35f)};
    facets->push_back(crown);
    facets->push_back(pavilion);
  }
  GemFacet table{{}, 0, 100.0f, rgb(214, 244, 255)};
  std::vector<GemFacet> tableParts;
  for (int i = 0; i < kGemSides; ++i) {
    const float a0 = turn + i * 2.0f * kPi / kGemSides;
    const float a1 = a0 + 2.0f * kPi / kGemSides;
    // The table as a fan of triangles around its centre.
    GemFacet part = table;
    part.corners[0] = gemVertex(0.0f, kTableY, 0.0f);
    part.corners[1] = gemVertex(kTable, kTableY, a0);
    part.corners[2] = gemVertex(kTable, kTableY, a1);
    part.count = 3;
    const float shimmer = 0.5f + 0.5f * std::sin((a0 + a1) * 1.5f);
    part.colour = mixColour(rgb(150, 210, 255), rgb(240, 252, 255), shimmer);
    facets->push_back(part);
  }
  std::stable_sort(facets->begin(), facets->end(),
                   [](const GemFacet& a, const GemFacet& b) { return a.depth < b.depth; });
}

}  // namespace

Image drawDiamondPicture(int frame) {
  std::vector<GemFacet> facets;
  addGemFacets(frame, &facets);
  Canvas big = makeCanvas(64 * kGemScale, 64 * kGemScale);
  auto boxOf = [](const GemFacet& facet) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (int i = 0; i < facet.count; ++i) {
      x0 = std::min(x0, facet.corners[i].x);
      y0 = std::min(y0, facet.corners[i].y);
      x1 = std::max(x1, facet.corners[i].x);
      y1 = std::max(y1, facet.corners[i].y);
    }
    return Box{int(x0) - 2, int(y0) - 2, int(x1) + 3, int(y1) + 3};
  };
  // A solid body under the facets, so no seam between two facets lets light through.
  for (const GemFacet& facet : facets) {
    fillShapeColour(&big, boxOf(facet), [&](Point p) { return sdPolygon(p, facet.corners, facet.count) - 1.0f; },
                    rgb(70, 120, 210));
  }
  for (const GemFacet& facet : facets) {
    // Facet edges glint: a thin light line along every edge.
    fillShape(&big, boxOf(facet), [&](Point p) { return sdPolygon(p, facet.corners, facet.count); },
              [&](Point, float d) {
                return mixColour(facet.colour, rgb(250, 254, 255), (1.0f - smoothstep(-2.5f, -0.5f, d)) * 0.4f);
              });
  }
  Canvas canvas = downsample(big, kGemScale);
  // Outline of the whole stone, then a glint that flares once per turn.
  const Mask shape = alphaMask(canvas);
  Mask outline = shape;
  blurMask(&outline, 1.5f);
  Canvas rim = makeCanvas(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float m = clamp01(maskAt(outline, x, y) * 2.5f) * (1.0f - maskAt(shape, x, y) * 0.6f);
      if (m > 0.0f) paintPixel(&rim, x, y, rgb(28, 70, 150), m * 0.9f);
    }
  }
  compositeOver(&rim, canvas, 0, 0);
  const float flare = std::pow(0.5f + 0.5f * std::cos(frame * 2.0f * kPi / 16.0f), 2.0f);
  addSpark(&rim, Point{19.0f, 16.0f}, 12.0f * (0.6f + 0.4f * flare), withAlpha(kWhite, 0.35f + 0.65f * flare));
  return canvasToImage(rim);
}

// ---------------------------------------------------------------------------
// Chain, shadow

namespace {

// A steel tube of the given half-thickness at distance u (0 = the tube's middle).
Colour steel(float u, float halfThickness, float lengthwise) {
  const float across = clamp01(u / halfThickness);
  const float z = std::sqrt(std::max(0.0f, 1.0f - across * across));
  const float light = 0.35f + 0.5f * z + 0.15f * lengthwise;
  Colour c = mixColour(rgb(70, 78, 96), rgb(214, 222, 236), light);
  const float glint = std::pow(z, 12.0f);
  return mixColour(c, kWhite, glint * 0.7f);
}

// The chain lies around the ball as a ring of links: flat links (stadium rings)
// alternate with links seen edge-on (short bars). Returns the distance to the
// nearest link and, through the pointers, how far p is from that link's tube
// middle and the tube's half thickness.
constexpr int kChainLinks = 12;
constexpr float kChainRadius = 17.0f;

float chainDistance(Point p, float* across, float* halfThick) {
  const Point c{32.0f, 32.0f};
  const Point d = p - c;
  float best = 1e9f;
  const float step = 2.0f * kPi / kChainLinks;
  const float angle = std::atan2(d.y, d.x);
  const int nearest = static_cast<int>(std::lround(angle / step));
  for (int k = nearest - 1; k <= nearest + 1; ++k) {
    const float a = k * step;
    const Point centre = c + Point{std::cos(a), std::sin(a)} * kChainRadius;
    const Point tangent{-std::sin(a), std::cos(a)};
    const bool flat = ((k % 2) + 2) % 2 == 0;
    const float half = flat ? 2.0f : 4.2f;
    const float seg = sdCapsule(p, centre - tangent * half, centre + tangent * half, flat ? 3.0f : 0.0f);
    const float dist = flat ? std::fabs(seg) - 1.5f : seg - 1.9f;
    if (dist < best) {
      best = dist;
      *across = flat ? std::fabs(seg) : seg;
      *halfThick = flat ? 1.5f : 1.9f;
    }
  }
  return best;
}

// The padlock that closes the chain at the bottom.
float padlockBody(Point p) { return sdRoundedBox(p, Point{32.0f, 54.0f}, 8.5f, 6.8f, 2.5f); }
float padlockShackle(Point p) { return sdRing(p, Point{32.0f, 46.5f}, 5.2f, 2.6f); }

}  // namespace

Image drawChainPicture() {
  Canvas canvas = makeCanvas(64, 64);
  Mask shape = makeMask(64, 64);
  auto links = [](Point p) {
    float a, h;
    return chainDistance(p, &a, &h);
  };
  maskShape(&shape, wholeCanvas(canvas), links);
  maskShape(&shape, wholeCanvas(canvas), padlockBody);
  softShadow(&canvas, shape, 1.0f, 2.0f, 2.0f, rgb(10, 10, 20, 150));
  // A dark edge first, so the links read on light and dark balls alike.
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) { return links(p) - 0.8f; }, rgb(30, 34, 48));
  fillShape(&canvas, wholeCanvas(canvas), links, [](Point p, float) {
    float across = 0.0f, half = 1.0f;
    chainDistance(p, &across, &half);
    return steel(across, half + 0.3f, (64.0f - p.y) / 64.0f);
  });
  // The shackle half hidden by the body; then the brass body with a keyhole.
  const Point lock{32.0f, 54.0f};
  fillShapeColour(&canvas, wholeCanvas(canvas),
                  [](Point p) { return sdIntersect(padlockShackle(p) - 0.8f, p.y - 50.0f); }, rgb(30, 34, 48));
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return sdIntersect(padlockShackle(p), p.y - 50.0f); },
            [](Point p, float) { return steel(std::fabs(length(p - Point{32.0f, 46.5f}) - 5.2f), 1.6f, 0.5f); });
  fillShapeColour(&canvas, wholeCanvas(canvas), [](Point p) { return padlockBody(p) - 0.8f; }, rgb(90, 50, 10));
  fillShape(&canvas, wholeCanvas(canvas), padlockBody, [&](Point p, float d) {
    const float t = linearParam(p, lock - Point{0, 6.8f}, lock + Point{0, 6.8f});
    Colour c = mixColour(rgb(255, 226, 130), rgb(196, 128, 36), t);
    return mixColour(c, rgb(255, 246, 200), (1.0f - smoothstep(0.0f, 1.6f, -d)) * (t < 0.5f ? 0.6f : 0.0f));
  });
  fillShapeColour(&canvas, wholeCanvas(canvas), [&](Point p) {
    return std::min(sdCircle(p, lock + Point{0.0f, -1.2f}, 1.7f), sdRoundedBox(p, lock + Point{0.0f, 1.6f}, 0.8f, 2.4f, 0.6f));
  }, rgb(70, 36, 8));
  return canvasToImage(canvas);
}

Image drawShadowPicture() {
  Canvas canvas = makeCanvas(64, 64);
  Mask blob = makeMask(64, 64);
  maskShape(&blob, wholeCanvas(canvas), [](Point p) { return sdEllipse(p, Point{34.0f, 36.0f}, 20.0f, 18.5f); });
  blurMask(&blob, 7.0f);
  paintMask(&canvas, blob, rgb(24, 18, 36), 0, 0, 0.7f);
  return canvasToImage(canvas);
}

// ---------------------------------------------------------------------------
// Floors

namespace {

constexpr Point kTileCentre{32.0f, 32.0f};
constexpr float kTileHalf = 27.0f;
constexpr float kTileCorner = 6.5f;

// Distance to the tile's rounded square, shrunk by inset.
float tileDistance(Point p, float inset = 0.0f) {
  return sdRoundedBox(p, kTileCentre, kTileHalf - inset, kTileHalf - inset, kTileCorner - inset * 0.5f);
}

// Light of a bevel at distance d inside the edge (d < 0): bright towards the upper
// left, dark towards the lower right, over `width` pixels.
float bevel(Point p, float d, float width) {
  const float edge = 1.0f - smoothstep(0.0f, width, -d);
  const Point dir = p - kTileCentre;
  const float side = (-dir.x - dir.y) / (std::fabs(dir.x) + std::fabs(dir.y) + 0.001f);
  return edge * side;
}

struct FloorLook {
  Colour light, dark;   // gradient from the upper left to the lower right
  float bevelWidth;
  float bevelStrength;
};

// The tile's face at p (d inside its edge): gradient, grain and bevel.
Colour floorSurface(Point p, float d, const FloorLook& look, uint32_t seed) {
  const float t = linearParam(p, Point{6.0f, 6.0f}, Point{58.0f, 58.0f});
  Colour c = mixColour(look.light, look.dark, t);
  const float grain = fractalNoise(p.x / 5.0f, p.y / 5.0f, 3, seed) - 0.5f;
  c = scaleColour(c, 1.0f + grain * 0.07f);
  const float b = bevel(p, d, look.bevelWidth) * look.bevelStrength;
  return b > 0.0f ? mixColour(c, kWhite, b) : mixColour(c, kBlack, -b * 0.7f);
}

// A whole tile with its soft shadow.
void paintTile(Canvas* canvas, const FloorLook& look, uint32_t seed) {
  Mask shape = makeMask(64, 64);
  maskShape(&shape, wholeCanvas(*canvas), [](Point p) { return tileDistance(p); });
  softShadow(canvas, shape, 1.0f, 1.5f, 2.5f, rgb(40, 30, 20, 90));
  fillShape(canvas, wholeCanvas(*canvas), [](Point p) { return tileDistance(p); },
            [&](Point p, float d) { return floorSurface(p, d, look, seed); });
}

// A small rounded stud in a corner of the two-layer tile.
void paintStud(Canvas* canvas, Point c) {
  fillShapeColour(canvas, boxAround(c, 4.0f, 4.0f), [&](Point p) { return sdCircle(p, c + Point{0.5f, 0.8f}, 3.1f); },
                  rgb(20, 20, 50, 120), 1.5f);
  fillShape(canvas, boxAround(c, 4.0f, 4.0f), [&](Point p) { return sdCircle(p, c, 2.8f); },
            [&](Point p, float) { return glossySphere(p, c, 2.8f, rgb(246, 200, 84)); });
}

}  // namespace

Image drawFloorPicture(int layers) {
  Canvas canvas = makeCanvas(64, 64);
  if (layers == 0) {
    paintTile(&canvas, FloorLook{rgb(246, 238, 220), rgb(222, 210, 186), 3.0f, 0.4f}, 11u);
    return canvasToImage(canvas);
  }
  if (layers == 1) {
    // A glazed tile over the floor: cool, light, bright bevel.
    paintTile(&canvas, FloorLook{rgb(178, 214, 246), rgb(118, 164, 220), 3.5f, 0.6f}, 12u);
    fillShapeColour(&canvas, wholeCanvas(canvas),
                    [](Point p) { return std::fabs(tileDistance(p, 5.0f)) - 0.6f; },
                    rgb(255, 255, 255, 110));
    return canvasToImage(canvas);
  }
  // Two layers: a deep tile with a gold inlay and studs in its corners.
  paintTile(&canvas, FloorLook{rgb(104, 112, 206), rgb(58, 60, 150), 3.5f, 0.5f}, 13u);
  fillShapeColour(&canvas, wholeCanvas(canvas),
                  [](Point p) { return std::fabs(tileDistance(p, 5.5f)) - 0.9f; }, rgb(20, 18, 70, 120));
  fillShapeColour(&canvas, wholeCanvas(canvas),
                  [](Point p) { return std::fabs(tileDistance(p, 5.0f)) - 0.8f; }, rgb(244, 196, 86));
  constexpr float kStud = 9.5f;
  paintStud(&canvas, Point{kStud, kStud});
  paintStud(&canvas, Point{64.0f - kStud, kStud});
  paintStud(&canvas, Point{kStud, 64.0f - kStud});
  paintStud(&canvas, Point{64.0f - kStud, 64.0f - kStud});
  return canvasToImage(canvas);
}

// A band of light across the tile that the game sweeps over the squares.
Image drawFloorGlintPicture(int layers) {
  Canvas canvas = makeCanvas(64, 64);
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return tileDistance(p, 1.0f); },
            [&](Point p, float) {
              const float u = (p.x + p.y - 64.0f) / 1.4142f;
              float light = std::exp(-(u * u) / (2.0f * 7.0f * 7.0f));
              if (layers == 2) {
                const float v = u + 17.0f;
                light = std::max(light, 0.6f * std::exp(-(v * v) / (2.0f * 3.5f * 3.5f)));
              }
              return withAlpha(rgb(255, 255, 250), 0.9f * light);
            });
  return canvasToImage(canvas);
}

// The hovered cell: a warm glowing frame with a faint fill.
Image drawCellHighlightPicture() {
  Canvas canvas = makeCanvas(64, 64);
  const Colour warm = rgb(255, 236, 150);
  fillShape(&canvas, wholeCanvas(canvas), [](Point p) { return tileDistance(p, -2.0f); },
            [&](Point, float d) {
              const float rim = std::exp(-((d + 3.5f) * (d + 3.5f)) / 5.0f);
              const float halo = std::exp(-((d + 1.0f) * (d + 1.0f)) / 10.0f) * 0.5f;
              return withAlpha(mixColour(warm, kWhite, rim * 0.6f), clamp01(0.2f + rim * 0.8f + halo));
            },
            3.0f);
  return canvasToImage(canvas);
}

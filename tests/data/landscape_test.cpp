// landscape_test.cpp: the backgrounds and the scenery catalogue's pictures as
// the game receives them. A background must be opaque wherever its scenery list
// puts nothing behind it (or the clear colour shows) and open where its sky,
// water, falls and behind objects must show; skies repeat across, water and
// falls repeat both ways, spray is light on black, leaves hang from their left
// edge and props stand on their bottom edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "data_files.h"
#include "scenery/game_objects.h"
#include "scenery/scenery_file.h"
#include "test_support.h"

namespace {

// A rectangle of the picture in pixels, x1 and y1 exclusive.
struct PixelRect {
  int x0, y0, x1, y1;
  bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// The pixels a scenery rectangle covers, as the data tool rounds them.
PixelRect pixelRect(const Rect& rect) {
  return PixelRect{static_cast<int>(std::floor(std::min(rect.x0, rect.x1) + 400.0f)),
                   static_cast<int>(std::floor(300.0f - std::max(rect.y0, rect.y1))),
                   static_cast<int>(std::ceil(std::max(rect.x0, rect.x1) + 400.0f)),
                   static_cast<int>(std::ceil(300.0f - std::min(rect.y0, rect.y1)))};
}

struct Background {
  std::vector<uint8_t> alpha;  // 800 x 600
  SceneryList list;
};

// Background i's alpha plane and its scenery list.
const Background& background(int index) {
  static Background backgrounds[16];
  static bool read[16] = {};
  Background& b = backgrounds[index];
  if (!read[index]) {
    const std::vector<uint8_t> bytes = looseFile(numbered("animbacks/_a_back%i.jpg", index));
    if (bytes.size() > 800u * 600u) b.alpha.assign(bytes.end() - 800 * 600, bytes.end());
    const std::vector<uint8_t> lev = looseFile(numbered("animbacks/level%i.lev", index));
    parseSceneryList(lev.data(), lev.size(), &b.list);
    read[index] = true;
  }
  return b;
}

bool drawnBehind(const SceneryRecord& object) {
  return sceneryKindIsBehind(sceneryKindOfName(object.name)) || object.behindPicture != 0;
}

// Share of the rectangle's pixels that are fully see-through.
float openShare(const Background& b, const PixelRect& r) {
  int open = 0, total = 0;
  for (int y = std::max(0, r.y0); y < std::min(600, r.y1); ++y) {
    for (int x = std::max(0, r.x0); x < std::min(800, r.x1); ++x) {
      open += b.alpha[static_cast<size_t>(y) * 800 + x] == 0;
      ++total;
    }
  }
  return total > 0 ? static_cast<float>(open) / total : 0.0f;
}

// The picture file of a catalogue entry.
std::string pictureOfEntry(const char* entry) {
  static GameObjectCatalogue catalogue;
  static bool read = false;
  if (!read) {
    const std::vector<uint8_t> bytes = dataFile("gameobjs.txt");
    parseGameObjectCatalogue(bytes.data(), bytes.size(), &catalogue);
    read = true;
  }
  const int32_t i = findCatalogueEntry(catalogue, entry);
  return i >= 0 ? catalogue.entries[i].value : "";
}


float colourDistance(const uint8_t* a, const uint8_t* b) {
  return static_cast<float>(std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]));
}

// Mean colour step between neighbouring columns (or rows) inside the picture,
// and the step across its wrap seam: a seamless tile's seam is no worse.
struct Seam {
  float inside, across;
};
Seam seamAcross(const Pixels& p, bool columns) {
  const int lines = columns ? p.height : p.width;
  const int length = columns ? p.width : p.height;
  double inside = 0.0, across = 0.0;
  for (int l = 0; l < lines; ++l) {
    for (int i = 0; i + 1 < length; ++i) {
      const uint8_t* a = columns ? p.at(i, l) : p.at(l, i);
      const uint8_t* b = columns ? p.at(i + 1, l) : p.at(l, i + 1);
      inside += colourDistance(a, b);
    }
    across += colourDistance(columns ? p.at(length - 1, l) : p.at(l, length - 1), columns ? p.at(0, l) : p.at(l, 0));
  }
  return Seam{static_cast<float>(inside / (static_cast<double>(lines) * (length - 1))),
              static_cast<float>(across / lines)};
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

TEST(Landscapes, EveryBackgroundIsOpaqueWhereNothingLiesBehindIt) {
  for (int index = 0; index < 16; ++index) {
    const Background& b = background(index);
    ASSERT_EQ(b.alpha.size(), 800u * 600u) << index;
    std::vector<PixelRect> holes;
    for (int32_t i = 0; i < b.list.count; ++i) {
      if (drawnBehind(b.list.objects[i])) holes.push_back(pixelRect(b.list.objects[i].rect));
    }
    int leaks = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const bool covered = std::any_of(holes.begin(), holes.end(), [&](const PixelRect& r) { return r.contains(x, y); });
        if (!covered && b.alpha[static_cast<size_t>(y) * 800 + x] != 255) ++leaks;
      }
    }
    EXPECT_EQ(leaks, 0) << "background " << index << " lets the clear colour through";
  }
}

TEST(Landscapes, SkiesWaterAndFallsShowThroughTheirHoles) {
  int skies = 0, waters = 0, falls = 0;
  for (int index = 0; index < 16; ++index) {
    const Background& b = background(index);
    for (int32_t i = 0; i < b.list.count; ++i) {
      const SceneryRecord& object = b.list.objects[i];
      const SceneryKind kind = sceneryKindOfName(object.name);
      const PixelRect r = pixelRect(object.rect);
      const float open = openShare(b, r);
      if (kind == SceneryKind::Sky) {
        // Hills may rise into the sky's rectangle, but most of it is sky.
        EXPECT_GE(open, 0.4f) << index << " " << object.name;
        // Its top edge is open in the middle, where no scenery frames it.
        EXPECT_EQ(b.alpha[static_cast<size_t>(r.y0) * 800 + 400], 0) << index;
        ++skies;
      } else if (kind == SceneryKind::Water) {
        EXPECT_GE(open, 0.55f) << index << " " << object.name;
        // The bottom row of a pool is water from side to side (its banks curl
        // away where it ends inside the picture).
        const int row = std::min(599, r.y1 - 1);
        EXPECT_GE(openShare(b, PixelRect{r.x0, row, r.x1, row + 1}), 0.6f) << index << " " << object.name;
        ++waters;
      } else if (kind == SceneryKind::Waterfall) {
        EXPECT_GE(open, 0.6f) << index << " " << object.name;
        // A fall runs the height of its rectangle down its middle (foam may
        // cover the last rows where it lands).
        const int x = (r.x0 + r.x1) / 2;
        for (int y = r.y0 + 2; y < r.y1 - 12; ++y) ASSERT_EQ(b.alpha[static_cast<size_t>(y) * 800 + x], 0) << index << " row " << y;
        ++falls;
      } else if (object.behindPicture) {
        EXPECT_EQ(openShare(b, r), 1.0f) << index << " " << object.name;
      }
    }
  }
  // The lists hold all three kinds of holes, so each rule above was exercised.
  EXPECT_EQ(skies, 16);
  EXPECT_GT(waters, 8);
  EXPECT_GT(falls, 8);
}

TEST(Landscapes, SeeThroughPixelsCarryTheColourOfWhatShowsThere) {
  // Under fully transparent sky the JPEG holds about the sky texture's colour at
  // that height, not black, so the blocks at the hole's edge do not ring dark.
  for (int index = 0; index < 16; ++index) {
    const std::vector<uint8_t> bytes = looseFile(numbered("animbacks/_a_back%i.jpg", index));
    const Pixels colour = decodePixels(std::vector<uint8_t>(bytes.begin(), bytes.end() - 800 * 600));
    ASSERT_EQ(colour.width, 800);
    const Background& b = background(index);
    for (int32_t i = 0; i < b.list.count; ++i) {
      const SceneryRecord& object = b.list.objects[i];
      if (sceneryKindOfName(object.name) != SceneryKind::Sky) continue;
      const Pixels sky = decodePixels(dataFile(pictureOfEntry(object.name)));
      ASSERT_GT(sky.width, 0) << object.name;
      const PixelRect r = pixelRect(object.rect);
      double distance = 0.0;
      int count = 0;
      for (int y = r.y0; y < r.y1; y += 3) {
        // The sky's mean colour at the same height of its rectangle.
        const int row = std::min(sky.height - 1, (y - r.y0) * sky.height / (r.y1 - r.y0));
        float mean[3] = {0, 0, 0};
        for (int x = 0; x < sky.width; ++x) {
          for (int c = 0; c < 3; ++c) mean[c] += sky.at(x, row)[c] / static_cast<float>(sky.width);
        }
        for (int x = 0; x < 800; x += 5) {
          if (b.alpha[static_cast<size_t>(y) * 800 + x] != 0) continue;
          const uint8_t* p = colour.at(x, y);
          distance += std::fabs(p[0] - mean[0]) + std::fabs(p[1] - mean[1]) + std::fabs(p[2] - mean[2]);
          ++count;
        }
      }
      ASSERT_GT(count, 0) << index;
      EXPECT_LT(distance / count, 70.0) << index;
    }
  }
}

TEST(Landscapes, EveryZoneHasItsOwnPictureAndNightScenesAreDarker) {
  std::vector<Pixels> pictures;
  for (int index = 0; index < 16; ++index) {
    const std::vector<uint8_t> bytes = looseFile(numbered("animbacks/_a_back%i.jpg", index));
    pictures.push_back(decodePixels(std::vector<uint8_t>(bytes.begin(), bytes.end() - 800 * 600)));
    ASSERT_EQ(pictures.back().width, 800) << index;
  }
  auto meanLight = [](const Pixels& p) {
    double sum = 0.0;
    for (int y = 300; y < 600; y += 4) {
      for (int x = 0; x < 800; x += 4) sum += luminance(p.at(x, y));
    }
    return sum / (75.0 * 200.0);
  };
  for (int a = 0; a < 16; ++a) {
    for (int b = a + 1; b < 16; ++b) {
      double difference = 0.0;
      for (int y = 200; y < 500; y += 4) {
        for (int x = 0; x < 800; x += 4) difference += colourDistance(pictures[a].at(x, y), pictures[b].at(x, y));
      }
      EXPECT_GT(difference / (75.0 * 200.0), 20.0) << "backgrounds " << a << " and " << b;
    }
  }
  // Moonlit Spring (8) and Starlight Summit's slopes under the night sky (14) are
  // lit by the moon; their land is darker than the sunny brook's (1).
  EXPECT_LT(meanLight(pictures[8]), meanLight(pictures[1]) - 40.0);
}

TEST(Landscapes, TheLandUnderTheBoardIsCalm) {
  // Where the board lies (columns 20..620 during play) the land shows through
  // the board's gaps: neighbouring pixels differ little, so balls and tiles stay
  // easy to read over it.
  for (int index = 0; index < 16; ++index) {
    const std::vector<uint8_t> bytes = looseFile(numbered("animbacks/_a_back%i.jpg", index));
    const Pixels colour = decodePixels(std::vector<uint8_t>(bytes.begin(), bytes.end() - 800 * 600));
    ASSERT_EQ(colour.width, 800);
    const Background& b = background(index);
    double steps = 0.0;
    int count = 0;
    for (int y = 200; y < 480; ++y) {
      for (int x = 20; x < 619; ++x) {
        const size_t at = static_cast<size_t>(y) * 800 + x;
        if (b.alpha[at] != 255 || b.alpha[at + 1] != 255 || b.alpha[at + 800] != 255) continue;
        steps += colourDistance(colour.at(x, y), colour.at(x + 1, y)) + colourDistance(colour.at(x, y), colour.at(x, y + 1));
        ++count;
      }
    }
    ASSERT_GT(count, 0) << index;
    EXPECT_LT(steps / count, 16.0) << index;
  }
}

TEST(Landscapes, SkiesRepeatAcrossAndLightenTowardsTheHorizon) {
  for (const char* entry : {"sky_day", "sky_dusk", "sky_night", "sky_sand"}) {
    const Pixels sky = decodePixels(dataFile(pictureOfEntry(entry)));
    ASSERT_GT(sky.width, 0) << entry;
    EXPECT_TRUE(isPowerOfTwo(sky.width) && isPowerOfTwo(sky.height)) << entry;
    // Wide enough that the repeat is seldom seen on a screen-wide sky.
    EXPECT_GE(sky.width, sky.height * 2) << entry;
    const Seam seam = seamAcross(sky, true);
    EXPECT_LE(seam.across, seam.inside * 3.0f + 3.0f) << entry;
    float top = 0.0f, bottom = 0.0f;
    for (int x = 0; x < sky.width; ++x) {
      top += luminance(sky.at(x, 0));
      bottom += luminance(sky.at(x, sky.height - 1));
    }
    EXPECT_LT(top, bottom) << entry;
  }
}

TEST(Landscapes, WaterAndFallsRepeatBothWays) {
  for (const char* entry : {"water_pool", "water_brook", "waterfall_wide", "waterfall_thin"}) {
    const Pixels water = decodePixels(dataFile(pictureOfEntry(entry)));
    ASSERT_GT(water.width, 0) << entry;
    EXPECT_TRUE(isPowerOfTwo(water.width) && isPowerOfTwo(water.height)) << entry;
    for (const bool columns : {true, false}) {
      const Seam seam = seamAcross(water, columns);
      EXPECT_LE(seam.across, seam.inside * 3.0f + 3.0f) << entry << (columns ? " across" : " down");
    }
  }
  // Falling water runs down: its colour changes less down a column than across a row.
  const Pixels fall = decodePixels(dataFile(pictureOfEntry("waterfall_wide")));
  EXPECT_LT(seamAcross(fall, false).inside, seamAcross(fall, true).inside);
}

TEST(Landscapes, SprayIsAPuffOfLightOnBlack) {
  const Pixels puff = decodePixels(dataFile(pictureOfEntry("spray_mist")));
  ASSERT_GT(puff.width, 0);
  float edge = 0.0f;
  for (int i = 0; i < puff.width; ++i) {
    edge = std::max({edge, luminance(puff.at(i, 0)), luminance(puff.at(i, puff.height - 1)),
                     luminance(puff.at(0, i)), luminance(puff.at(puff.width - 1, i))});
  }
  EXPECT_LE(edge, 8.0f);
  EXPECT_GE(luminance(puff.at(puff.width / 2, puff.height / 2)), 120.0f);
}

TEST(Landscapes, LeavesHangFromTheirLeftEdgeAndPropsStandOnTheirFoot) {
  auto opaqueIn = [](const Pixels& p, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) count += p.at(x, y)[3] > 200;
    }
    return count;
  };
  for (const char* entry : {"leaves1_oak", "leaves2_willow", "leaves_fern", "rock_big", "lantern", "pine_tree"}) {
    const std::vector<uint8_t> bytes = dataFile(pictureOfEntry(entry));
    const Pixels p = decodePixels(bytes);
    ASSERT_GT(p.width, 0) << entry;
    EXPECT_EQ(bytes[2], 2) << entry;  // uncompressed true colour with alpha
    EXPECT_EQ(bytes[16], 32) << entry;
    EXPECT_TRUE(isPowerOfTwo(p.width) && isPowerOfTwo(p.height)) << entry;
    EXPECT_EQ(p.at(p.width - 1, 0)[3], 0) << entry << " top right corner";
    const bool leaves = std::string(entry).find("leaves") != std::string::npos;
    if (leaves) {
      // The game turns leaves about the middle of their left edge: the plant is
      // fixed there, not floating free.
      EXPECT_GT(opaqueIn(p, 0, 0, 4, p.height), 0) << entry;
    } else {
      EXPECT_EQ(p.at(0, 0)[3], 0) << entry << " top left corner";
      EXPECT_GT(opaqueIn(p, 0, p.height - 8, p.width, p.height), p.width / 4) << entry;
    }
    // Transparent pixels carry a neighbour's colour, not black, so filtered
    // edges do not darken.
    int dark = 0, clear = 0;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 1; x < p.width; ++x) {
        if (p.at(x, y)[3] != 0 || p.at(x - 1, y)[3] < 200) continue;
        ++clear;
        dark += luminance(p.at(x, y)) < 8.0f && luminance(p.at(x - 1, y)) > 40.0f;
      }
    }
    EXPECT_LE(dark, clear / 20) << entry;
  }
}

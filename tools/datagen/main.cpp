// main.cpp: orbel-datagen, the tool that writes the game's whole Data directory
// from the hand-written sources in data/ and the generators of this folder.
//
//   orbel-datagen --src <repo>/data --out <build>/Data [--preview <build>/preview]
//                 [--icons <build>/icons] [--pot <build>/po/orbelquaint.pot]
//
// Every source is checked while it is turned into game files; any problem is
// reported with its file and line and makes the run fail without writing. The
// same sources always give the same bytes.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "datagen.h"
#include "generators.h"

// Reads the command line into gen. False (usage printed) when it is incomplete.
static bool readArguments(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--src") == 0) {
      gen.sourceDir = argv[i + 1];
    } else if (std::strcmp(argv[i], "--out") == 0) {
      gen.outputDir = argv[i + 1];
    } else if (std::strcmp(argv[i], "--preview") == 0) {
      gen.previewDir = argv[i + 1];
    } else if (std::strcmp(argv[i], "--icons") == 0) {
      gen.iconDir = argv[i + 1];
    } else if (std::strcmp(argv[i], "--pot") == 0) {
      gen.templatePath = argv[i + 1];
    } else {
      break;
    }
  }
  if (gen.sourceDir.empty() || gen.outputDir.empty() || argc % 2 == 0) {
    std::fprintf(stderr, "usage: orbel-datagen --src DIR --out DIR [--preview DIR] [--icons DIR] "
                 "[--pot FILE]\n");
    return false;
  }
  return true;
}

int main(int argc, char** argv) {
  gen = {};
  if (!readArguments(argc, argv)) return 2;

  generateFont();  // first: the texts are measured with it
  std::vector<EnglishText> english;
  generateTexts(&english);
  generateMenus(&english);
  generateTranslations(english);
  std::vector<LevelSummary> levels;
  generateLevels(&levels);
  generateEffects();
  std::vector<CataloguePicture> cataloguePictures;
  std::vector<std::vector<SceneryHole>> holes;
  generateScenery(&cataloguePictures, &holes);
  generatePath();
  generateDefaultRecords();
  if (gen.errorCount > 0) {
    // The content is wrong: no need to draw and encode the art and sound.
    std::fprintf(stderr, "orbel-datagen: %d error(s); nothing was written\n", gen.errorCount);
    return 1;
  }
  generatePictures(cataloguePictures, holes);
  generateSounds();
  generateMusic();

  if (gen.errorCount > 0) {
    std::fprintf(stderr, "orbel-datagen: %d error(s); nothing was written\n", gen.errorCount);
    return 1;
  }
  if (!writeDataSet()) return 1;
  if (!gen.iconDir.empty() && !writeIcons()) return 1;
  if (!gen.templatePath.empty() && !writeTranslationTemplate()) return 1;
  if (!gen.previewDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(gen.previewDir, error);
    if (!writeLevelSheet(levels) || !writePictureSheets() || !writeLandscapeSheets() ||
        !writeAudioPreviews()) {
      return 1;
    }
  }
  return 0;
}

// generators.h: the generator modules of orbel-datagen, called by main in this
// order. Each adds its files to the run (datagen.h) and reports problems with
// the source file and line; the later ones use what the earlier ones gathered.
#pragma once

#include <string>
#include <vector>

// One adventure or help level as the tool keeps it for previews and records.
struct LevelSummary {
  std::string fileName;  // "tut1_01.lvl" ... "pack1_66.lvl", "help.lvl"
  int index;             // 0..69, -1 for the help level
  char cells[15][21];    // grid rows 5..19, columns 5..24, NUL-terminated rows
  int floorCells;        // cells that are not holes
  int squareLayers;      // layers to clear, chained cells counted with their 2 layers
  int chainedBalls;
  bool hammerOff;
};

// A rectangle of a scenery list through which the background picture must be
// transparent (sky, water, waterfalls and objects drawn behind the picture), in
// overlay units: x0 left, y0 top, x1 right, y1 bottom, y up.
struct SceneryHole {
  float x0, y0, x1, y1;
};

// Picture names of the scenery catalogue ("gameobjs.txt"), in catalogue order,
// with the entry names that use them.
struct CataloguePicture {
  std::string entryName;
  std::string fileName;
};

// One English text as the translators see it: its table ("strings.txt",
// "tips.txt", "menutext.txt"), its key (a menu node's name; "credits" for a line
// of the credits), the text with its line breaks, the source line, the source's
// comment on it, and whether it is translated at all (player names are not).
struct EnglishText {
  std::string file;
  std::string key;
  std::string text;
  int line;
  std::string note;
  bool translated;
};

// Texts: "strings.txt" and "tips.txt", checked key by key; their entries go to
// `english` in file order.
void generateTexts(std::vector<EnglishText>* english);
// Menus: "menu.txt" and "menutext.txt", checked by building the tree; the node
// texts and the credits lines go to `english`.
void generateMenus(std::vector<EnglishText>* english);
// Translations: the template "orbelquaint.pot" of the English texts and, from
// every "po/<code>.po", the language's own text tables and the list of languages
// "languages.txt". Call after the font and the English texts.
void generateTranslations(const std::vector<EnglishText>& english);
// Writes the template to gen.templatePath. False on a write failure.
bool writeTranslationTemplate();
// Levels: the 70 adventure levels and "help.lvl"; fills `levels` in level order
// (help level last).
void generateLevels(std::vector<LevelSummary>* levels);
// Particle effects: every ".par" of the sources, checked against each other.
void generateEffects();
// Scenery: "gameobjs.txt" and "level0.lev" .. "level15.lev"; fills the catalogue
// pictures and, per background index, the holes the background must leave open.
void generateScenery(std::vector<CataloguePicture>* pictures,
                     std::vector<std::vector<SceneryHole>>* holes);
// The adventure map path "trajectory1.spl".
void generatePath();
// Default records "hi_expert.txt", "hi_normal.txt", "hi_zen.txt" from the balance
// player's medians in "records.txt".
void generateDefaultRecords();
// The font atlas "font.tga" and its metrics "font.dat".
void generateFont();
// Every picture: the fixed set, the backgrounds and the catalogue's pictures.
void generatePictures(const std::vector<CataloguePicture>& cataloguePictures,
                      const std::vector<std::vector<SceneryHole>>& holes);
// The 31 sound effects.
void generateSounds();
// The music module "music.mo3".
void generateMusic();
// Writes the packs and the loose files into gen.outputDir. False on a write failure.
bool writeDataSet();
// Writes the level sheet "levels.png" into gen.previewDir. False on failure.
bool writeLevelSheet(const std::vector<LevelSummary>& levels);
// Writes the picture sheets and the game screen mock-up into gen.previewDir.
// False on failure.
bool writePictureSheets();
// Writes the sound and music previews into gen.previewDir. False on failure.
bool writeAudioPreviews();
// Writes the desktop icons into gen.iconDir. False on failure.
bool writeIcons();
// Writes the contact sheets of the landscapes, the map and the title into
// gen.previewDir. False on failure.
bool writeLandscapeSheets();

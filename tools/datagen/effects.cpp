// effects.cpp: the particle effects of the "effects" folder. Each source is a
// ".par" file; it is checked line by line (known keys, each once, "rot=" and
// "rotdev=" before the rotation speeds that end with the same letters, lists in
// brackets without spaces), read back with the game's particle reader, and then
// checked as a whole: every effect the game starts exists, every external effect
// names an existing file, sprite cells lie on the sheet, and one start stays
// within a particle budget (all effects share 1024 particles, and a big move
// pops dozens of balls at once).
#include <cmath>
#include <cstring>
#include <map>

#include "datagen.h"
#include "effects/particle_file.h"
#include "generators.h"

namespace {

// Effects the game starts by name.
const char* const kStartedEffects[] = {"ball1",  "ball2",    "bomb1",    "bomb2",  "dbomb1",
                                       "dbomb2", "diamond1", "diamond2", "chain1", "chain2",
                                       "square1", "square2", "hammer",   "addbomb2", "scorewow"};

// Particles one start may make, with the effects it starts with it. Balls pop by
// the dozen, so their pair gets the smallest share.
struct Budget {
  const char* name;
  int particles;
};
const Budget kBudgets[] = {{"ball1", 14}, {"ball2", 10}, {"chain1", 20}, {"chain2", 16},
                           {"square1", 16}, {"square2", 14}, {"dbomb1", 60}, {"dbomb2", 60}};
constexpr int kDefaultBudget = 48;

enum class ValueForm : uint8_t { Number, Integer, List, Vector, Name };
struct EffectKeyRule {
  const char* key;
  ValueForm form;
};
const EffectKeyRule kKeys[] = {
    {"parfrequency", ValueForm::Number}, {"effecttime", ValueForm::Number},
    {"color0", ValueForm::List},         {"color0dev", ValueForm::List},
    {"color1", ValueForm::List},         {"color1dev", ValueForm::List},
    {"radius0", ValueForm::Number},      {"radius0dev", ValueForm::Number},
    {"radius1", ValueForm::Number},      {"radius1dev", ValueForm::Number},
    {"partime", ValueForm::Number},      {"partimedev", ValueForm::Number},
    {"positiondev", ValueForm::Vector},  {"speed", ValueForm::Vector},
    {"speeddev", ValueForm::Vector},     {"gravity", ValueForm::Number},
    {"gravitydev", ValueForm::Number},   {"blendtype", ValueForm::Integer},
    {"numparticle", ValueForm::Integer}, {"rot", ValueForm::Number},
    {"rotdev", ValueForm::Number},       {"drot", ValueForm::Number},
    {"drotdev", ValueForm::Number},      {"polarpar", ValueForm::List},
    {"polarpardev", ValueForm::List},    {"lissparx", ValueForm::List},
    {"lisspary", ValueForm::List},       {"simetria", ValueForm::Integer},
    {"simetriapar", ValueForm::Integer}, {"polar", ValueForm::List},
    {"polardev", ValueForm::List},       {"lissx", ValueForm::List},
    {"lissy", ValueForm::List},          {"externeffect1", ValueForm::Name},
    {"externeffect2", ValueForm::Name},  {"externeffect3", ValueForm::Name},
    {"externeffect4", ValueForm::Name},  {"externeffect5", ValueForm::Name},
    {"externeffect6", ValueForm::Name},  {"externeffect7", ValueForm::Name},
    {"externeffect8", ValueForm::Name},
};

const EffectKeyRule* findKeyRule(const std::string& key) {
  for (const EffectKeyRule& rule : kKeys) {
    if (key == rule.key) return &rule;
  }
  return nullptr;
}

bool isNumber(const std::string& value) {
  char* end = nullptr;
  std::strtod(value.c_str(), &end);
  return !value.empty() && end && *end == 0;
}

// A bracketed list of numbers without spaces: "(1,0.5,0,1)".
bool isList(const std::string& value, int minCount, int maxCount) {
  if (value.size() < 2 || value.front() != '(' || value.back() != ')') return false;
  int count = 0;
  size_t at = 1;
  while (at < value.size()) {
    size_t end = value.find_first_of(",)", at);
    if (!isNumber(value.substr(at, end - at))) return false;
    ++count;
    at = end + 1;
  }
  return count >= minCount && count <= maxCount;
}

bool valueFits(const EffectKeyRule& rule, const std::string& value) {
  switch (rule.form) {
    case ValueForm::Number: return isNumber(value);
    case ValueForm::Integer: return isNumber(value) && value.find('.') == std::string::npos;
    case ValueForm::List: return isList(value, 3, 4);
    case ValueForm::Vector: return isList(value, 3, 3);
    case ValueForm::Name: return !value.empty() && value.find(' ') == std::string::npos;
  }
  return false;
}

// Line checks. Returns the source as the game file (CR LF).
std::vector<uint8_t> checkEffectSource(const std::string& fileName, const std::string& source) {
  std::map<std::string, int> seen;
  size_t at = 0;
  int line = 0;
  while (at < source.size()) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string text = source.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) continue;
    const size_t equals = text.find('=');
    const std::string key = text.substr(0, equals);
    const EffectKeyRule* rule = equals == std::string::npos ? nullptr : findKeyRule(key);
    if (!rule) {
      reportError(fileName, line, format("unknown line \"%s\"", text.c_str()));
      continue;
    }
    if (seen[key]++) reportError(fileName, line, format("\"%s=\" given twice", key.c_str()));
    if (!valueFits(*rule, text.substr(equals + 1))) {
      reportError(fileName, line, format("malformed value for \"%s=\"", key.c_str()));
    }
    // "rot=" and "rotdev=" are the tails of "drot=" and "drotdev=": the game would
    // read the rotation speed as the rotation unless they come first.
    if ((key == "drot" && !seen.count("rot")) || (key == "drotdev" && !seen.count("rotdev"))) {
      reportError(fileName, line,
                  format("write \"%s=\" before \"%s=\": the game finds it inside the other",
                         key.c_str() + 1, key.c_str()));
    }
  }
  return toCrLf(source);
}

// Particles one start of the effect makes, without the effects it starts.
int ownParticles(const EffectDef& def) {
  const int perEmission = def.simetria < 0 ? 0 : (def.simetria == 0 ? 1 : def.simetria);
  const float emissions = def.effectTime > 0.0f ? def.parFrequency * def.effectTime / 1000.0f
                                                : std::ceil(def.parFrequency);
  return static_cast<int>(std::ceil(emissions)) * perEmission;
}

int budgetOf(const char* name) {
  for (const Budget& budget : kBudgets) {
    if (std::strcmp(budget.name, name) == 0) return budget.particles;
  }
  return kDefaultBudget;
}

const EffectDef* findEffect(const std::vector<EffectDef>& effects, const char* name) {
  for (const EffectDef& def : effects) {
    if (std::strcmp(def.name, name) == 0) return &def;
  }
  return nullptr;
}

// Checks one effect as a whole against the others.
void checkEffect(const EffectDef& def, const std::vector<EffectDef>& effects,
                 const std::string& fileName) {
  int particles = ownParticles(def);
  for (const auto& external : def.externEffects) {
    if (!external[0]) continue;
    const EffectDef* other = findEffect(effects, external);
    if (!other || other == &def) {
      reportError(fileName, 0, format("the external effect \"%s\" does not exist", external));
      continue;
    }
    particles += ownParticles(*other);
  }
  if (def.numParticle < 0 || def.numParticle > 63) {
    reportError(fileName, 0, "numparticle= must name a cell 0..63 of the sheet");
  }
  if (def.blendType != 0 && def.blendType != 1) {
    reportError(fileName, 0, "blendtype= is 0 (additive) or 1 (alpha)");
  }
  if (def.parTime <= 0.0f) reportError(fileName, 0, "partime= must be above 0");
  if (particles > budgetOf(def.name)) {
    reportError(fileName, 0, format("one start makes %d particles; the budget is %d", particles,
                                    budgetOf(def.name)));
  }
}

}  // namespace

void generateEffects() {
  std::vector<EffectDef> effects;
  std::vector<std::string> fileNames;
  for (const std::string& fileName : listSources("effects", ".par")) {
    std::string source;
    if (!readSource("effects/" + fileName, &source)) continue;
    if (fileName.find('.') != fileName.size() - 4 || fileName.size() - 4 >= kMaxEffectName) {
      reportError(fileName, 0, "an effect file is a name of 1..31 characters and \".par\"");
    }
    std::vector<uint8_t> bytes = checkEffectSource(fileName, source);
    EffectDef def;
    parseEffectDef(fileName.c_str(), bytes.data(), bytes.size(), &def);
    effects.push_back(def);
    fileNames.push_back(fileName);
    addOutput(Place::Effects, fileName, std::move(bytes));
  }
  for (size_t i = 0; i < effects.size(); ++i) checkEffect(effects[i], effects, fileNames[i]);
  for (const char* name : kStartedEffects) {
    if (!findEffect(effects, name)) {
      reportError(std::string(name) + ".par", 0, "the game starts this effect; it is missing");
    }
  }
}

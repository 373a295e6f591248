// The include rule of the modules: the layer table, the scan of one file's
// include lines and the walk over a source tree.
#include "layer_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

const std::vector<ModuleLayer> kModuleLayers = {
    {"core", 0},     {"platform", 1},    {"resources", 2}, {"render", 3},
    {"audio", 3},    {"input", 4},       {"effects", 5},   {"scenery", 5},
    {"persistence", 6}, {"game", 7},     {"map", 8},       {"ui", 9},
    {"app", 10}};

namespace {

// Files directly in the root: the entry point, above every module.
constexpr int kRootLayer = 1000;

// The quoted path of an include line ("" when the line is none): leading blanks,
// "#", blanks, "include", blanks, then "...".
std::string quotedInclude(const std::string& line) {
  size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return "";
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || line[at] != '"') return "";
  const size_t end = line.find('"', at + 1);
  if (end == std::string::npos) return "";
  return line.substr(at + 1, end - at - 1);
}

// A module's local header ("x/x_local.h", "x/sound_local.h") is its own alone.
bool isLocalHeader(const std::string& path) {
  const std::string suffix = "_local.h";
  return path.size() >= suffix.size() &&
         path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isSource(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".h" || ext == ".cpp" || ext == ".c";
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int layerOf(const std::vector<ModuleLayer>& layers, const std::string& module) {
  for (const ModuleLayer& entry : layers) {
    if (module == entry.module) return entry.layer;
  }
  return -1;
}

std::vector<LayerViolation> checkFileIncludes(const std::vector<ModuleLayer>& layers,
                                              const std::string& file,
                                              const std::string& fileModule,
                                              const std::string& text) {
  std::vector<LayerViolation> found;
  const int own = fileModule.empty() ? kRootLayer : layerOf(layers, fileModule);
  if (own < 0) {
    found.push_back({file, 1, "module '" + fileModule + "' has no place in the layer table"});
    return found;
  }
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string path = quotedInclude(line);
    const size_t slash = path.find('/');
    if (slash == std::string::npos) continue;
    const std::string target = path.substr(0, slash);
    if (target == fileModule) continue;
    const int layer = layerOf(layers, target);
    std::string why;
    if (layer < 0) {
      why = "module '" + target + "' has no place in the layer table";
    } else if (isLocalHeader(path)) {
      why = "another module's local header";
    } else if (layer > own) {
      why = "goes up";
    } else if (layer == own) {
      why = "goes sideways to a sibling";
    } else {
      continue;
    }
    found.push_back({file, number,
                     "'" + fileModule + "' includes \"" + path + "\": " + why});
  }
  return found;
}

std::vector<LayerViolation> checkTreeIncludes(const std::vector<ModuleLayer>& layers,
                                              const std::string& root) {
  std::error_code error;
  if (!fs::is_directory(root, error)) return {{root, 0, "not a readable folder"}};
  std::vector<fs::path> files;
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file() && isSource(it->path())) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::vector<LayerViolation> found;
  for (const fs::path& path : files) {
    const fs::path relative = path.lexically_relative(root);
    const std::string module = std::distance(relative.begin(), relative.end()) > 1
                                   ? relative.begin()->string()
                                   : std::string();
    for (LayerViolation& v : checkFileIncludes(layers, relative.string(), module,
                                               readText(path))) {
      found.push_back(std::move(v));
    }
  }
  return found;
}

std::string formatViolations(const std::vector<LayerViolation>& violations) {
  std::string text;
  for (const LayerViolation& v : violations) {
    text += v.file + ":" + std::to_string(v.line) + ": " + v.message + "\n";
  }
  return text;
}

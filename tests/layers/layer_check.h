// layer_check.h: the include rule of the modules under src/. Every folder is a
// module with a layer; a file may include headers of its own module and the public
// headers of modules on lower layers only. Modules on one layer are siblings and never
// include each other. Files directly in src/ (the entry point) sit above them all.
#pragma once

#include <string>
#include <vector>

// One module and its layer, 0 at the bottom.
struct ModuleLayer {
  const char* module;
  int layer;
};

// The program's modules from the bottom up.
extern const std::vector<ModuleLayer> kModuleLayers;

// An include that breaks the rule.
struct LayerViolation {
  std::string file;  // relative to the scanned root, e.g. "render/text.cpp"
  int line;          // 1-based
  std::string message;
};

// The layer of `module` in `layers`, or -1 when it is not listed.
int layerOf(const std::vector<ModuleLayer>& layers, const std::string& module);

// Checks one file's text: every `#include "a/b"` must name its own module `fileModule`
// or one on a lower layer, and never another module's local header ("a/..._local.h").
// A module missing from `layers` (the including one or the included one) is a
// violation too, so a new folder cannot slip past the rule.
// `fileModule` "" means a file directly in the root (above every module).
std::vector<LayerViolation> checkFileIncludes(const std::vector<ModuleLayer>& layers,
                                              const std::string& file,
                                              const std::string& fileModule,
                                              const std::string& text);

// Checks every .h, .c and .cpp file under `root` (one folder per module), in name
// order. A root that cannot be read gives one violation saying so.
std::vector<LayerViolation> checkTreeIncludes(const std::vector<ModuleLayer>& layers,
                                              const std::string& root);

// "file:line: message", one violation a line.
std::string formatViolations(const std::vector<LayerViolation>& violations);

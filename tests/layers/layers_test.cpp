// The module layers: the program's own source tree keeps the include rule, and the
// checker itself finds each kind of wrong include in a small tree of its own.
#include <gtest/gtest.h>

#include <string>

#include "layer_check.h"
#include "test_support.h"

namespace {

TEST(Layers, EveryIncludeUnderSrcGoesDown) {
  const std::vector<LayerViolation> found =
      checkTreeIncludes(kModuleLayers, std::string(ORBEL_SOURCE_DIR) + "/src");
  EXPECT_TRUE(found.empty()) << formatViolations(found);
}

TEST(Layers, CoreIsTheOnlyModuleOnTheBottomLayer) {
  for (const ModuleLayer& entry : kModuleLayers) {
    EXPECT_EQ(entry.layer == 0, std::string(entry.module) == "core") << entry.module;
  }
}

// A tree with one good include of each kind and one bad include of each kind.
class LayerCheckerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testTempDirectory("layers");
    write("core/math.h", "#pragma once\n#include <cstdint>\n");
    write("render/draw.h", "#include \"core/math.h\"\n#include \"render/local.h\"\n");
    write("audio/sound.cpp", "// no includes\n");
    write("main.cpp", "#include \"app/app.h\"\n");
    write("app/app.h", "#include \"render/draw.h\"\n#include \"audio/sound.h\"\n");
  }
  void write(const std::string& relative, const std::string& text) {
    const std::string path = root_ + "/" + relative;
    testMakeDirectories(path.substr(0, path.rfind('/')).c_str());
    testWriteFile(path, text);
  }
  std::string root_;
};

TEST_F(LayerCheckerTest, AcceptsATreeWhoseIncludesGoDown) {
  const std::vector<LayerViolation> found = checkTreeIncludes(kModuleLayers, root_);
  EXPECT_TRUE(found.empty()) << formatViolations(found);
}

TEST_F(LayerCheckerTest, NamesFileAndLineOfAnIncludeThatGoesUp) {
  write("core/numeric.cpp", "#include <bit>\n\n  #  include \"app/app.h\"  // the clock\n");
  const std::vector<LayerViolation> found = checkTreeIncludes(kModuleLayers, root_);
  ASSERT_EQ(found.size(), 1u) << formatViolations(found);
  EXPECT_EQ(found[0].file, "core/numeric.cpp");
  EXPECT_EQ(found[0].line, 3);
  EXPECT_EQ(formatViolations(found),
            "core/numeric.cpp:3: 'core' includes \"app/app.h\": goes up\n");
}

TEST_F(LayerCheckerTest, RefusesSiblingsModulesOutsideTheTableAndLocalHeaders) {
  write("render/text.cpp", "#include \"render/draw.h\"\n#include \"audio/sound.h\"\n");
  write("app/start.cpp", "#include \"app/app_local.h\"\n#include \"render/render_local.h\"\n");
  write("widgets/button.cpp", "#include \"core/math.h\"\n");
  write("game/board.cpp", "#include \"gadgets/x.h\"\n");
  const std::string report = formatViolations(checkTreeIncludes(kModuleLayers, root_));
  EXPECT_NE(report.find("render/text.cpp:2: 'render' includes \"audio/sound.h\": goes sideways"),
            std::string::npos) << report;
  EXPECT_NE(report.find("widgets/button.cpp:1: module 'widgets' has no place"),
            std::string::npos) << report;
  EXPECT_NE(report.find("game/board.cpp:1: 'game' includes \"gadgets/x.h\": module 'gadgets'"),
            std::string::npos) << report;
  EXPECT_NE(report.find("app/start.cpp:2: 'app' includes \"render/render_local.h\": another "
                        "module's local header"),
            std::string::npos) << report;
  EXPECT_EQ(report.find("app/start.cpp:1"), std::string::npos) << "its own local header";
}

TEST(LayerChecker, IgnoresSystemAndPlainIncludesAndReportsAMissingTree) {
  const std::vector<LayerViolation> none = checkFileIncludes(
      kModuleLayers, "core/a.cpp", "core",
      "#include <SDL2/SDL.h>\n#include \"local.h\"\n// #include \"app/app.h\"\n");
  EXPECT_TRUE(none.empty()) << formatViolations(none);
  const std::vector<LayerViolation> missing =
      checkTreeIncludes(kModuleLayers, testTempDirectory("layers-none") + "/absent");
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_NE(missing[0].message.find("not a readable folder"), std::string::npos);
}

}  // namespace

// The runner's way into the board game: `play LEVEL adventure|zen|survival
// [expert|normal]` starts a level in the game scene as the menus' start command
// does, creating the profile PLAYER (help pages already seen) first when there is
// none.
#include <cstdlib>
#include <string>

#include "app/scene.h"
#include "game/board.h"
#include "game/game.h"
#include "game/level.h"
#include "persistence/profile.h"
#include "runner.h"

namespace {

struct PlayRequest {
  int32_t level;
  bool survival;
  int32_t difficulty;
};

PlayRequest playRequest(const Args& args) {
  PlayRequest request = {std::atoi(args[0].c_str()), args[1] == "survival", Difficulty::Normal};
  if (args[1] == "zen") {
    request.difficulty = Difficulty::Zen;
  } else if (args.size() > 2 && args[2] == "expert") {
    request.difficulty = Difficulty::Expert;
  }
  return request;
}

}  // namespace

bool checkPlay(const Args& args, std::string* error) {
  long level = 0;
  if (!parseInteger(args[0], &level) || level < 0 || level >= kLevelCount) {
    *error = "expected a level 0..69";
    return false;
  }
  if (args[1] != "adventure" && args[1] != "zen" && args[1] != "survival") {
    *error = "expected adventure, zen or survival";
    return false;
  }
  if (args.size() > 2 && args[2] != "expert" && args[2] != "normal") {
    *error = "expected expert or normal";
    return false;
  }
  return true;
}

bool runPlay(const Args& args, std::string* error) {
  if (profileTable.profileCount == 0) {
    if (!createProfile("PLAYER")) {
      *error = "cannot create the profile PLAYER";
      return false;
    }
    // The runner's player has read the help, so scenarios reach the board at once.
    for (uint8_t& pending : currentProfileRecord()->helpShown) pending = 0;
  }
  const PlayRequest request = playRequest(args);
  Profile* profile = currentProfileRecord();
  gameState.survival = request.survival;
  gameState.difficulty = request.difficulty;
  if (request.survival) {
    profile->survivalStartLevel = request.level;
    profile->survivalExpert = request.difficulty == Difficulty::Expert ? 1 : 0;
  } else {
    setStoredDifficulty(request.difficulty);
    setCurrentLevel(request.level);
  }
  requestScene(&gameScene);
  startLevel(request.level);
  return true;
}

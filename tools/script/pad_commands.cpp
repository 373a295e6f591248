// The runner's game controller: a button pressed and released, and the left stick
// held where the script puts it, as SDL's controller events through the platform's
// own translation.
#include <cstdlib>

#include "platform/platform.h"
#include "runner.h"

bool checkPad(const Args& args, std::string* error) {
  if (sysPadButtonFromName(args[0].c_str()) != SysPadButton::None) return true;
  *error = "unknown pad button " + args[0] +
           " (a b x y back start dpup dpdown dpleft dpright leftshoulder rightshoulder)";
  return false;
}

bool runPad(const Args& args, std::string*) {
  const SysPadButton button = sysPadButtonFromName(args[0].c_str());
  sysSimulatePadButton(button, true);
  sysSimulatePadButton(button, false);
  return true;
}

bool checkStick(const Args& args, std::string* error) {
  double x, y;
  if (parseNumber(args[0], &x) && parseNumber(args[1], &y) && x >= -1.0 && x <= 1.0 &&
      y >= -1.0 && y <= 1.0) {
    return true;
  }
  *error = "expected the stick's X and Y, each -1..1";
  return false;
}

bool runStick(const Args& args, std::string*) {
  sysSimulatePadStick(float(std::atof(args[0].c_str())), float(std::atof(args[1].c_str())));
  return true;
}

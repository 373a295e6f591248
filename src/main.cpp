// The game: one window, the message loop, and the data in "Data".
#include "app/app.h"

int main() {
  const AppOptions options;
  return appMain(options);
}

// The program's own cursors, made from small built-in bitmaps: the hammer, the
// invisible cursor and the help pointer; the arrow is the system's.
#include <SDL.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/platform_local.h"

namespace {

// '#' outline, '+' fill, '.' transparent; hot spot given with each picture.
const char* const kHammer[] = {
    "......########..................",
    ".....#++++++++#.................",
    "....#++++++++++#................",
    "....#++++++++++#................",
    "....#++++++++++#................",
    ".....#++++++++#.................",
    "......###++###..................",
    ".........#++#...................",
    ".........#++#...................",
    ".........#++#...................",
    ".........#++#...................",
    ".........#++#...................",
    ".........#++#...................",
    ".........#++#...................",
    ".........####...................",
};
const char* const kHelp[] = {
    "#...............#####...",
    "##.............#+++++#..",
    "#+#...........#++###++#.",
    "#++#..........#+#...#+#.",
    "#+++#...............#+#.",
    "#++++#.............#++#.",
    "#+++++#...........#++#..",
    "#++++++#.........#++#...",
    "#+++++++#........#+#....",
    "#++++++++#.......###....",
    "#+++++#####.............",
    "#++#++#..........###....",
    "#+#.#++#.........#+#....",
    "##..#++#.........###....",
    "#....#++#...............",
    ".....#++#...............",
    "......##................",
};

template <size_t N>
SDL_Cursor* makeCursor(const char* const (&rows)[N], int hotX, int hotY) {
  const int width = int(std::strlen(rows[0]));
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  SDL_FillRect(s, nullptr, 0);
  auto* px = static_cast<uint32_t*>(s->pixels);
  for (size_t y = 0; y < N; ++y) {
    for (int x = 0; x < width && x < 32; ++x) {
      const char c = rows[y][x];
      px[y * (s->pitch / 4) + x] = c == '#' ? 0xFF000000u : c == '+' ? 0xFFE8E0D0u : 0u;
    }
  }
  SDL_Cursor* cursor = SDL_CreateColorCursor(s, hotX, hotY);
  SDL_FreeSurface(s);
  return cursor;
}

SDL_Cursor* makeInvisibleCursor() {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  SDL_FillRect(s, nullptr, 0);
  SDL_Cursor* cursor = SDL_CreateColorCursor(s, 0, 0);
  SDL_FreeSurface(s);
  return cursor;
}

// Cursors made on first use, and the one last asked for; process lifetime.
SDL_Cursor* g_cursors[4] = {};
SysCursor g_requested = SysCursor::Arrow;

}  // namespace

SysCursor sysRequestedCursor() { return g_requested; }

void sysSetCursor(SysCursor cursor) {
  g_requested = cursor;
  if (!sysSdlWindow()) return;
  const int index = int(cursor);
  if (!g_cursors[index]) {
    switch (cursor) {
      case SysCursor::Arrow: g_cursors[index] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW); break;
      case SysCursor::Hammer: g_cursors[index] = makeCursor(kHammer, 10, 3); break;
      case SysCursor::Invisible: g_cursors[index] = makeInvisibleCursor(); break;
      case SysCursor::Help: g_cursors[index] = makeCursor(kHelp, 0, 0); break;
    }
  }
  if (g_cursors[index]) SDL_SetCursor(g_cursors[index]);
}

void sysShowCursor(bool show) {
  if (!sysSdlWindow()) return;
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void sysFreeCursors() {
  for (SDL_Cursor*& cursor : g_cursors) {
    if (cursor) SDL_FreeCursor(cursor);
    cursor = nullptr;
  }
}

// The route preview: while a ball is selected and the pointer is over a cell it
// can reach, the route from that cell back to the ball is drawn piece by piece
// (an arrow head in the hovered cell, straight and corner pieces on the way, a
// tail next to the ball); when the pointer leaves, the last route fades out. The
// help screen's demonstration draws its route with the same pieces.
#include "game/game.h"
#include "game/scene_local.h"

namespace {

constexpr float kRouteFadeMs = 500.0f;

struct Step {
  int32_t dx, dy;  // in cells; dy grows downwards on screen
};

Step stepBetween(CellPos from, CellPos to) { return {to.x - from.x, to.y - from.y}; }
bool sameStep(Step a, Step b) { return a.dx == b.dx && a.dy == b.dy; }

// A piece drawn unturned travels to the right; turns are counter-clockwise.
float travelAngle(Step s) {
  if (s.dx > 0) return 0.0f;
  if (s.dx < 0) return 180.0f;
  return s.dy < 0 ? 90.0f : -90.0f;
}

// The corner opens left and up unturned; the quarter turn that opens it towards
// both neighbours.
float cornerAngle(Step a, Step b) {
  const bool left = a.dx < 0 || b.dx < 0;
  const bool up = a.dy < 0 || b.dy < 0;
  if (left) return up ? 0.0f : 90.0f;
  return up ? -90.0f : 180.0f;
}

// The neighbour one step nearer the ball, in the route builder's order; kNoCell
// when there is none.
CellPos stepTowardsBall(CellPos u) {
  const int32_t d = cellAt(u.x, u.y).pathDistance;
  const CellPos around[4] = {{u.x - 1, u.y}, {u.x + 1, u.y}, {u.x, u.y - 1}, {u.x, u.y + 1}};
  for (const CellPos& n : around) {
    if (n.x < 0 || n.y < 0 || n.x >= kBoardSize || n.y >= kBoardSize) continue;
    if (cellAt(n.x, n.y).pathDistance == d - 1) return n;
  }
  return kNoCell;
}

// The cells from `from` back to the cell next to the ball.
int32_t walkRoute(CellPos from, CellPos* out) {
  int32_t count = 0;
  CellPos u = from;
  while (count < kMaxRouteCells && u.x >= 0 && cellAt(u.x, u.y).pathDistance >= 1) {
    out[count++] = u;
    u = stepTowardsBall(u);
  }
  return count;
}

bool hoveringReachableCell() {
  const CellPos h = gameView.hover;
  return gameState.selected.x >= 0 && h.x >= 0 && cellAt(h.x, h.y).pathDistance > 0;
}

// A route to draw: its cells from the hovered one back to the one next to the
// ball, and where the pieces go relative to their cells' centres.
struct RouteView {
  const CellPos* route;
  int32_t cells;
  CellPos ball;
  Vec2 shift;
};

void drawRoutePiece(const RouteView& view, int32_t i, Color color) {
  const CellPos* route = view.route;
  const int32_t n = view.cells;
  const CellPos at = route[i];
  const CellPos towardsBall = i + 1 < n ? route[i + 1] : view.ball;
  const Step in = stepBetween(towardsBall, at);
  const Vec2 centre = add2(cellCentre(at.x, at.y), view.shift);
  if (i == 0) {
    drawBoardPicture(BoardPicture::RouteHead, centre, kRouteHalf, travelAngle(in), color);
    return;
  }
  const Step out = stepBetween(at, route[i - 1]);
  if (i == n - 1) {
    drawBoardPicture(BoardPicture::RouteTail, centre, kRouteHalf, travelAngle(out), color);
  } else if (sameStep(in, out)) {
    drawBoardPicture(BoardPicture::RouteStraight, centre, kRouteHalf, travelAngle(in), color);
  } else {
    const Step back = {-in.dx, -in.dy};
    drawBoardPicture(BoardPicture::RouteCorner, centre, kRouteHalf, cornerAngle(back, out), color);
  }
}

void drawRouteView(const RouteView& view, Color color) {
  for (int32_t i = 0; i < view.cells; ++i) drawRoutePiece(view, i, color);
}

}  // namespace

void updateRoutePreview(float dt) {
  if (gameView.routeHidden || gameState.busy) {
    // Hidden at once by the right button, and never shown while a ball moves.
    gameView.routeHidden = false;
    gameView.routeCells = 0;
    gameView.routeAlpha = 0.0f;
    return;
  }
  if (hoveringReachableCell()) {
    gameView.routeCells = walkRoute(gameView.hover, gameView.route);
    gameView.routeBall = gameState.selected;
    gameView.routeAlpha = 1.0f;
    return;
  }
  gameView.routeAlpha -= dt / kRouteFadeMs;
  if (gameView.routeAlpha <= 0.0f) {
    gameView.routeAlpha = 0.0f;
    gameView.routeCells = 0;
  }
}

void drawRoutePreview() {
  if (gameView.routeCells <= 0 || gameView.routeAlpha <= 0.0f) return;
  const RouteView view = {gameView.route, gameView.routeCells, gameView.routeBall, {0.0f, 0.0f}};
  drawRouteView(view, fadeColor(kWhite, gameView.routeAlpha));
}

void drawRouteToBall(CellPos from, CellPos ball, Vec2 shift, Color color) {
  if (!isPlayable(from.x, from.y) || cellAt(from.x, from.y).pathDistance <= 0) return;
  CellPos route[kMaxRouteCells];
  const RouteView view = {route, walkRoute(from, route), ball, shift};
  setTexture(boardAtlas.texture);
  drawRouteView(view, color);
}

// board.h: the board game's data and rules: the 30 x 30 board of cells, the ball
// values, the one game state of the level being played, the mapping between cells
// and overlay points, and the rules that act on them (selecting and moving a ball,
// resolutions, new balls and items, the hammer and the board clear).
//
// Rules always act on the current board (the live board, or the help board while
// the help level is loaded or the help screens run) and on the one GameState.
// Nothing here draws: the drawing reads these records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/math.h"

// The array keeps a margin of two holes and more around the 20 x 15 playable area,
// so rules may look two steps past any playable cell without bounds checks.
constexpr int32_t kBoardSize = 30;
constexpr int32_t kFirstColumn = 5;
constexpr int32_t kLastColumn = 24;
constexpr int32_t kFirstRow = 5;
constexpr int32_t kLastRow = 19;
// A move route holds this many points: the longest shortest route on a 20 x 15 area
// stays far below it, and the route also stores its start point.
constexpr int32_t kMaxMovePath = 256;

// Ball values a cell can hold. 0..9 are colours; 10 and above match every colour.
namespace Ball {
constexpr int32_t Empty = -1;
constexpr int32_t Joker = 10;
constexpr int32_t TripleBomb = 11;
constexpr int32_t Diamond = 12;
constexpr int32_t QuadroBomb = 13;
}  // namespace Ball

// Ball values 10 and above are items: they count as every colour in a run.
inline bool isItem(int32_t value) { return value >= Ball::Joker; }

namespace Difficulty {
constexpr int32_t Expert = 0;
constexpr int32_t Normal = 1;
constexpr int32_t Zen = 2;
}  // namespace Difficulty

// One cell: 27 four-byte values in a fixed order, because boards are written raw
// into saved games. Fields ballOffsetX..regionMark are the ball's own state and
// travel with the ball as one block when it moves.
struct Cell {
  int32_t reserved0;
  int32_t squareLayers;  // -1 hole; 0 plain floor; n > 0 layers still to clear
  int32_t pathDistance;  // -1 unreachable, else steps from the selected ball
  float ballOffsetX;     // drawing offset of a moving ball from the cell centre
  float ballOffsetY;
  int32_t ballValue;     // Ball::Empty, a colour 0..9 or an item 10..13
  int32_t reserved6;
  int32_t reserved7;
  float ballClock;       // ms since the ball arrived
  int32_t moveTargetX;   // -1 unless this ball is moving
  int32_t moveTargetY;
  float moveTime;        // ms left of the move in progress
  float appearTimer;     // 500 at arrival, counts down; an arriving ball never matches
  float vanishTimer;     // -1 for every ball
  float phase;           // 0..1, desynchronises ball animations
  int32_t reserved15;
  int32_t reserved16;
  int32_t chainLocks;    // chains on the ball; a chained ball cannot be moved
  float regionMark;      // scratch, cleared by every resolution
  int32_t nextBall;      // -1, or the value of the preview waiting in this cell
  float nextBallTimer;   // 500 when the preview is placed, counts down
  int32_t reserved21;
  float age;             // ms, drawing only
  float shimmerClock;    // ms, drives the glint over squares
  int32_t reserved24;
  float cellScale;       // floor tile scale, relaxes toward 1
  uint8_t removalMark;   // set by a resolution on every cell to clear
  uint8_t removalPad[3];
};
static_assert(sizeof(Cell) == 108, "a cell is 27 four-byte values");
static_assert(offsetof(Cell, ballOffsetX) == 12 && offsetof(Cell, regionMark) == 72,
              "the ball's own state is fields 3..18");
static_assert(offsetof(Cell, nextBall) == 76 && offsetof(Cell, cellScale) == 100 &&
                  offsetof(Cell, removalMark) == 104,
              "field k lies at 4k");

// Fields 3..18 as one block: what a moving ball takes along.
constexpr size_t kBallStateOffset = offsetof(Cell, ballOffsetX);
constexpr size_t kBallStateSize = 16 * 4;

// cells[x][y]: x is the column, y the row; row 5 is the top row on screen.
struct Board {
  Cell cells[kBoardSize][kBoardSize];
};

struct CellPos {
  int32_t x, y;
};
constexpr CellPos kNoCell = {-1, -1};

// The board's cursor: what a click on the board does.
enum class CursorMode : int32_t {
  Arrow = 0,   // selects and moves balls
  Hammer = 1,  // strikes a ball
  Help = 2     // shows the help tip of what it clicks
};

// The state of the level being played, as far as the rules and a saved game need
// it (how it looks is the scene's GameView): process lifetime, reset by startLevel.
struct GameState {
  int32_t levelIndex;        // 0..69 (zone x 5 + stage), or the survival start level
  bool survival;             // set by the menus: the survival game
  int32_t difficulty;        // set by the menus: Difficulty::Expert, Normal or Zen
  int32_t colourCount;       // colours drawn for new balls
  int32_t newBallsPerMove;   // previews placed after a move that scored nothing
  int32_t jokerFrequency;    // one new ball in this many is a joker
  bool hammerEnabled;
  int32_t minLineLength;     // shortest run removed; also the board-clear count
  int32_t freeCells;         // floor cells without a ball
  CellPos selected;
  CellPos lastMoved;         // where the last moved ball came to rest
  Vec2 movePath[kMaxMovePath];  // offsets from the moving ball's cell, target first
  int32_t movePathSteps;
  int32_t moveDuration;      // ms
  int32_t combo;             // consecutive scoring resolutions
  int32_t comboStat;         // Expert, Normal: combos made; Zen: the longest combo
  int32_t moves;
  int32_t pressure;          // +1 per move, -combo per combo: drives survival
  int32_t elapsedMs;
  float hammerCharge;        // 0..1; 1 means ready
  int32_t levelScore;
  int32_t squaresAtStart;
  float levelClock;          // ms
  float levelCompleteTimer;  // ms: 0 playing, > 0 running, -1 finished
  float defeatTimer;         // ms: the same
  bool running;              // false while the game waits for a key or click
  bool busy;                 // a ball is moving (recomputed every frame)
  bool defeatDim;
  int32_t pendingSquares;    // squares whose star has not reached the progress bar
  int32_t bonusFigure[3][3]; // the level's bonus figure: [column][row], -1 or a digit
  bool zoneCompleted;        // the level just won completed a zone
  bool adventureFinished;    // ... and it was the last zone
};
extern GameState gameState;

// The two boards: process lifetime. `current` points at the board rules act on.
struct Boards {
  Board live;
  Board help;
  Board* current;
};
extern Boards boards;

// The board the rules act on.
inline Board& currentBoard() { return *boards.current; }
inline Cell& cellAt(int32_t x, int32_t y) { return boards.current->cells[x][y]; }
inline bool isPlayable(int32_t x, int32_t y) {
  return x >= kFirstColumn && x <= kLastColumn && y >= kFirstRow && y <= kLastRow;
}
inline bool hasFloor(const Cell& cell) { return cell.squareLayers != -1; }
inline bool hasBall(const Cell& cell) { return cell.ballValue != Ball::Empty; }

// Calls visit(x, y) for every playable cell, row after row: the rules' order.
template <typename Visit>
void forEachPlayableCell(Visit visit) {
  for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
    for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) visit(x, y);
  }
}

// The same cells column after column: the board's drawing order.
template <typename Visit>
void forEachCellInDrawingOrder(Visit visit) {
  for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) {
    for (int32_t y = kFirstRow; y <= kLastRow; ++y) visit(x, y);
  }
}

// ---------------------------------------------------------------------------
// Geometry: cells are 40 x 40 overlay units.

// The centre of cell (x, y): (40x - 560, 480 - 40y).
Vec2 cellCentre(int32_t x, int32_t y);
// The cell under an overlay point, every conversion truncating toward zero (a point
// up to 40 units left of the board still maps to column 5). Any cell index results,
// even outside the array; check with isPlayable.
CellPos cellAtPoint(float px, float py);

// ---------------------------------------------------------------------------
// Whole-board operations (board.cpp)

// Makes every cell of `board` a hole without ball or preview.
void clearBoard(Board* board);
// Cells with floor and no ball over the whole array.
int32_t countFreeCells(const Board& board);
// True when some playable cell holds a ball.
bool boardHasBall(const Board& board);
// Sum of the square layers of all cells.
int32_t countSquareLayers(const Board& board);

// ---------------------------------------------------------------------------
// Selecting and moving (move.cpp)

// The board speed setting: a move lasts trunc(sqrt(10 x steps) x ballSpeed) ms.
// Kept in the settings record; 70 until settings are read.
constexpr float kDefaultBallSpeed = 70.0f;
constexpr float kMinBallSpeed = 21.0f;
constexpr float kMaxBallSpeed = 150.0f;
struct MoveSettings {
  float ballSpeed = kDefaultBallSpeed;
};
extern MoveSettings moveSettings;

// Sets the ball speed limited to 21..150; a value that is not a number gives 70.
void setBallSpeed(float speed);

// Makes (x, y) the selected ball and fills the reachable distances.
void selectBall(int32_t x, int32_t y);
void deselectBall();
// Fills pathDistance of the current board from gameState.selected.
void runReachabilitySearch();
// The same from the ball at `from`, selected or not (nothing for a cell outside
// the playable area).
void runReachabilitySearchFrom(CellPos from);
// Builds the route to the empty reachable cell (x, y) and sets the selected ball
// moving. Returns false (nothing changes) when no ball is selected, the target is
// not reachable, or the route would not fit the route table.
bool startMove(int32_t x, int32_t y);
// One frame of the moving ball in cell m: follows the route and, on arrival,
// settles the ball, runs the resolution and lets new balls come.
void advanceMove(int32_t mx, int32_t my, float dt);
// A left click on a board cell with the normal cursor.
void clickBoardCell(int32_t x, int32_t y);
// A left double click on a board cell (no ball moving).
void doubleClickBoardCell(int32_t x, int32_t y);

// ---------------------------------------------------------------------------
// Matching and removal (resolve.cpp)

// One pass of the matching rules over the current board. Returns the number of
// marked cells that held a ball (chained balls that only lost a chain included).
int32_t resolveBoard(bool afterMove);
// Queues the ball for its pop and empties the cell; an empty cell is left alone.
void removeBall(int32_t x, int32_t y);
// Takes one layer off a square (with its effect); floors without layers stay.
void removeSquareLayer(int32_t x, int32_t y);
// Takes one chain off a chained ball (with its effect and 50 points).
void breakChain(int32_t x, int32_t y);
// True when cell (x, y) counts as `value` in a run: the same colour or any item,
// and not still arriving.
bool cellMatches(int32_t x, int32_t y, int32_t value);

// ---------------------------------------------------------------------------
// New balls (previews.cpp)

// Marks one random empty floor cell with the value of a coming ball.
void placePreview();
// Every preview in an empty cell becomes a ball; every preview is used up.
void arrivePreviews();
// Every item preview (values above 10) in an empty cell becomes the item.
void arriveItems();

// ---------------------------------------------------------------------------
// Bonuses (bonuses.cpp)

// Hammer stroke on (x, y): breaks a chain or removes the ball, spends the charge.
// Returns false (nothing happens) when the cell holds no ball.
bool hammerStrike(int32_t x, int32_t y);
// Every free ball pops, every chained ball loses a chain; then new balls arrive and
// new previews are placed.
void clearBoardOfBalls();
// A won level's farewell: every ball, chained or not, pops with its effects and
// sound but earns nothing; no preview is left, so nothing arrives after it, and
// no praise, combo or hammer charge follows.
void sayFarewellToBalls();
// Survival: colours, joker rate and new balls per move follow the pressure.
void retuneSurvival();

// rules/game.h: the game as a value: both boards in cells, where each ship lies and how often it
// was hit, the salvo being aimed, the phase, the counters and the level. Plain data with no pixel,
// picture or window in it; copy it freely.
#pragma once

#include <array>
#include <cstdint>

namespace rules {

constexpr int BoardSize = 12;
constexpr int ShipsPerSide = 5;
// Two slots per fleet index: 2k the player's ship k, 2k + 1 the enemy's.
constexpr int SalvoSize = 10;

// The length of each side's ship by shipId - 1: the largest first.
constexpr std::int32_t ShipLengths[ShipsPerSide] = {5, 4, 3, 3, 2};

enum GamePhase : std::int32_t { Placing = 0, Firing = 1, Resolving = 2, GameOver = 99 };

// Whose board: it also indexes the boards and the fleets.
enum Side : std::int32_t { Player = 0, Enemy = 1 };

// How strongly the computer aims; a game keeps the level it started with.
enum class Level : std::int32_t { Standard = 0, Expert = 1 };

enum class GameOutcome { Won, Lost, Tied };

// The side of an empty salvo slot.
constexpr std::int32_t NoShot = -1;

// Cell codes are 10 x stage + base, the base being 0 for water or the shipId (1..5) lying there.
// Only Water, ship marks 1..5, aimed 10..15, Miss 20, hit 21..25 and sunk 31..35 are ever stored,
// and on the board of a friend in a network game HitUnknownShip.
constexpr std::int32_t Water = 0;
constexpr std::int32_t AimedStage = 10;  // added when a shot is queued on an untouched cell
constexpr std::int32_t Miss = 20;        // aimed water once settled
constexpr std::int32_t HitStage = 20;    // HitStage + shipId: a hit on a ship still afloat
constexpr std::int32_t SunkStage = 30;   // SunkStage + shipId: a cell of a sunk ship
// A hit on a network friend's ship: which ship it struck is never told, but the painter draws it
// as any hit afloat.
constexpr std::int32_t HitUnknownShip = HitStage + 9;
// Never stored: what a neighbour reading reports for a position off the board.
constexpr std::int32_t OffBoard = 99;

// The three tests of a cell code; everything that reads a board uses these.
constexpr bool IsUntouched(std::int32_t code) { return code < 10; }
// A neighbour reading must also exclude OffBoard, which passes this test.
constexpr bool IsHitOrSunk(std::int32_t code) { return code > 20; }
// Up to 29 on purpose: the painter and the computer opponent both test this range.
constexpr bool IsHitShipAfloat(std::int32_t code) { return code >= 21 && code <= 29; }

struct Cell {
    std::int32_t x = 0;  // the column, 0..11 from the left
    std::int32_t y = 0;  // the row, 0..11 from the top
    friend bool operator==(const Cell&, const Cell&) = default;
};

struct Shot {
    std::int32_t side = NoShot;  // the board that is shot at
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Indexed [x][y]: x the column, y the row.
using Board = std::array<std::array<std::int32_t, BoardSize>, BoardSize>;

// One ship of a fleet. Its cells are those of its board whose code has its shipId as the base.
struct ShipState {
    std::int32_t length = 0;
    bool vertical = false;
    // The ship's first cell (leftmost or topmost) once it lies on its board; -1 in its dock.
    std::int32_t column = -1;
    std::int32_t row = -1;
    std::int32_t hits = 0;  // counted on, past the length too

    bool OnBoard() const { return column >= 0; }
    bool IsSunk() const { return hits >= length; }
};

using Fleet = std::array<ShipState, ShipsPerSide>;  // by shipId - 1

struct Game {
    GamePhase phase = Placing;
    std::int32_t shotsLeft = 5;  // shots the player may still aim in this salvo
    std::array<Shot, SalvoSize> salvo{};
    std::int32_t salvoSlot = 0;       // the slot being filled; SalvoSize when the salvo is complete
    std::array<Board, 2> boards{};    // indexed by Side
    std::array<Fleet, 2> fleets{};    // indexed by Side
    std::int32_t salvosResolved = 0;  // salvos of this game settled in full
    Level level = Level::Standard;

    ShipState& ShipOf(Side side, std::int32_t shipId) { return fleets[side][shipId - 1]; }
    const ShipState& ShipOf(Side side, std::int32_t shipId) const {
        return fleets[side][shipId - 1];
    }
};

// A game at the start of its placement phase: every cell water, both fleets in their docks,
// horizontal and unhurt, five shots, every salvo slot empty.
Game NewGame(Level level);

// How many of the side's five ships are not sunk.
int ShipsAfloat(const Game& game, Side side);

}  // namespace rules

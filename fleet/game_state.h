// fleet/game_state.h: the one record of the state of play (phase, shot allowance, the salvo being
// assembled, both boards of cell codes) and the small tests every reader of a board applies to cell
// codes.
#pragma once

#include <array>
#include <cstdint>

namespace fleet {

class Ship;

constexpr int BoardSize = 12;
constexpr int SalvoSize =
    10;  // two slots per fleet index: 2k the player's ship k, 2k + 1 the enemy's
constexpr int ShipsPerSide = 5;

enum GamePhase : std::int32_t { Placing = 0, Firing = 1, Resolving = 2, GameOver = 99 };

// Whose board: it also indexes the board pictures and the two halves of the ship array.
enum Side : std::int32_t { Player = 0, Enemy = 1 };

// The side of an empty salvo slot.
constexpr std::int32_t NoShot = -1;

// Cell codes are 10 x stage + base, the base being 0 for water or the shipId (1..5) lying there.
// Only Water, ship marks 1..5, aimed 10..15, Miss 20, hit 21..25 and sunk 31..35 are ever stored.
constexpr std::int32_t Water = 0;
constexpr std::int32_t AimedStage = 10;  // added when a shot is queued on an untouched cell
constexpr std::int32_t Miss = 20;        // aimed water once resolved
constexpr std::int32_t HitStage = 20;    // HitStage + shipId: a hit on a ship still afloat
constexpr std::int32_t SunkStage = 30;   // SunkStage + shipId: a cell of a sunk ship
// Never stored: what a neighbour reading reports for a position off the board.
constexpr std::int32_t OffBoard = 99;

// The three tests of a cell code; everything that reads a board uses these.
constexpr bool IsUntouched(std::int32_t code) { return code < 10; }
// A neighbour reading must also exclude OffBoard, which passes this test.
constexpr bool IsHitOrSunk(std::int32_t code) { return code > 20; }
// Up to 29 on purpose: the painter and the computer opponent both test this range.
constexpr bool IsHitShipAfloat(std::int32_t code) { return code >= 21 && code <= 29; }

struct Shot {
    std::int32_t side = NoShot;  // the board that is shot at
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Indexed [x][y]: x the column, y the row, both 0..11 from the top-left cell.
using Board = std::array<std::array<std::int32_t, BoardSize>, BoardSize>;

struct GameStateRecord {
    GamePhase phase = Placing;
    std::int32_t shotsLeft = 5;  // shots the player may still aim in this salvo
    std::array<Shot, SalvoSize> salvo{};
    std::int32_t salvoSlot = 0;     // the slot being filled; SalvoSize when the salvo is complete
    std::array<Board, 2> boards{};  // indexed by Side
    // Salvos of this game settled in full, for the record of play.
    std::int32_t salvosResolved = 0;
};

// The one game of the program, for its whole run. Only the user-interface thread touches it.
extern GameStateRecord GameState;

// The game-state part of a new game: every cell water, phase Placing, salvoSlot 0, shotsLeft 5,
// no salvo resolved and every salvo slot empty. The slots keep their x and y, and the computer's
// targeting memory is left alone.
void ResetGameState();

// Aims the slot being filled at (x, y) of the side's board: the cell is marked aimed and the slot
// names it.
void QueueShot(Side side, int x, int y);

// The ship lying on a cell of the side's board whose code has a shipId as its base.
Ship& ShipOfCell(Side side, std::int32_t code);

// How many of the side's five ships are not sunk.
int ShipsAfloat(Side side);

}  // namespace fleet

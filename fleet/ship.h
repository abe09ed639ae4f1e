// fleet/ship.h: one ship of a fleet: its four pictures (afloat and sunk, horizontal and vertical),
// its length and number, its orientation and where its pictures lie. Where the ship lies in the
// game, and its damage, are the game's (rules/game.h).
#pragma once

#include <cstdint>

#include "imaging/picture.h"
#include "rules/game.h"

namespace platform {
struct DeviceContext;
struct Window;
}  // namespace platform

namespace fleet {

constexpr std::uint8_t OrientationHorizontal = 0;
constexpr std::uint8_t OrientationVertical = 1;

constexpr int ShipFileNameSize = 80;

// A Ship lives in the program-wide array for the whole run and is never copied. Operations that
// go through currentPicture (Invalidate, Draw, Sink, Contains, GetBottom) may be used only after
// LoadPictures or Reset has chosen one. Window arguments are optional: given one, the ship asks it
// to repaint what changed; without one the caller repaints.
class Ship {
  public:
    Ship();
    Ship(const Ship&) = delete;
    Ship& operator=(const Ship&) = delete;

    // Stores both and forms the four file names from shipId ("boat3.bmp", "boat3b.bmp", ...).
    void SetIdentity(std::int32_t newLength, std::uint32_t newShipId);
    // Loads the four pictures from the folder (which ends in its own separator), stopping at the
    // first failure with the "Ship Bitmap Load Error!" message; boatPicture becomes current.
    void LoadPictures(const char* folder);
    // Toggles the orientation and makes the afloat picture of the new one current. Nothing is
    // moved, marked or repainted: the caller places the ship again.
    void Rotate();
    std::int32_t GetLength() const;
    // Hides all four pictures, then gives the current one the flag; hiding repaints nothing.
    void SetVisible(std::uint8_t flag, platform::Window* window);
    void Invalidate(platform::Window* window);
    void Draw(platform::Window* window, platform::DeviceContext* target);
    // Shows the sunk picture of the current orientation where the afloat one was.
    void Sink(platform::Window* window);
    // Horizontal, afloat and shown; the board and the rectangles are left alone.
    void Reset();

    // Geometry on the board (ship_geometry.cpp).
    // The screen rectangle of the board's grid picture and the side whose board the ship marks.
    void SetGrid(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 rules::Side newSide);
    // Lays the ship in the game at the cell under (x, y), pulled back inside the board, and moves
    // its pictures there. False, changing nothing, off the grid, on its right or bottom edge, or
    // where another ship of the fleet lies.
    bool PlaceAt(rules::Game& game, std::int32_t x, std::int32_t y, platform::Window* window);
    // The same from a cell of the board, as the keyboard names it.
    bool PlaceAtCell(rules::Game& game, rules::Cell cell, platform::Window* window);
    // Turns and moves the pictures to where the game says the ship lies (a ship laid out at
    // random).
    void ShowWhereItLies(const rules::ShipState& state, platform::Window* window);
    // The rectangle of both pictures of the current orientation (the dock, or a board position).
    void SetBounds(double left, double top, double right, double bottom, platform::Window* window);
    void SetScale(float newScale, platform::Window* window);
    bool Contains(std::int32_t x, std::int32_t y) const;
    std::int32_t GetBottom() const;

    // Sets the pictures' rectangle from the ship's first cell, pulled back inside the board.
    void MoveTo(int column, int row, platform::Window* window);

    imaging::Picture boatPicture;
    imaging::Picture boatVerticalPicture;
    imaging::Picture sunkPicture;
    imaging::Picture sunkVerticalPicture;
    imaging::Picture* currentPicture = nullptr;  // one of the four: drawn, hit-tested, measured
    std::int32_t length = 5;
    double cellWidth = 0;  // one twelfth of the grid's width
    double cellHeight = 0;
    std::int32_t gridLeft = 0;
    std::int32_t gridTop = 0;
    std::int32_t gridRight = 0;
    std::int32_t gridBottom = 0;
    rules::Side side = rules::Player;
    std::uint32_t shipId = 0;  // 1..5: its mark on the board and the number in its file names
    std::uint8_t orientation = OrientationHorizontal;
    char boatFileName[ShipFileNameSize] = {};
    char boatVerticalFileName[ShipFileNameSize] = {};
    char sunkFileName[ShipFileNameSize] = {};
    char sunkVerticalFileName[ShipFileNameSize] = {};
    std::uint8_t visible = 1;
};

}  // namespace fleet

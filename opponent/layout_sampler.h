// opponent/layout_sampler.h: layouts of the player's afloat ships that fit what the computer has
// seen, drawn by sequential importance sampling and weighted so that every fitting layout counts
// alike.
#pragma once

#include <array>
#include <cstdint>

#include "opponent/board_view.h"
#include "rules/game.h"

namespace opponent {

// A set of cells, one bit per cell: column x takes the 16 bits from 16 x, row y the y-th of
// them, so a column reads out as one small mask.
struct CellSet {
    std::uint64_t words[3] = {0, 0, 0};

    static int Bit(int x, int y) { return 16 * x + y; }
    static int X(int bit) { return bit >> 4; }
    static int Y(int bit) { return bit & 15; }
    void Add(int bit) { words[bit >> 6] |= std::uint64_t{1} << (bit & 63); }
    void Remove(int bit) { words[bit >> 6] &= ~(std::uint64_t{1} << (bit & 63)); }
    bool Has(int bit) const { return (words[bit >> 6] >> (bit & 63)) & 1u; }
    void AddColumn(int x, std::uint32_t rows) {
        words[x >> 2] |= static_cast<std::uint64_t>(rows) << ((x & 3) * 16);
    }
    std::uint32_t Column(int x) const {
        return static_cast<std::uint32_t>(words[x >> 2] >> ((x & 3) * 16)) & 0xFFFu;
    }
    bool Meets(const CellSet& other) const {
        return ((words[0] & other.words[0]) | (words[1] & other.words[1]) |
                (words[2] & other.words[2])) != 0;
    }
    bool Empty() const { return (words[0] | words[1] | words[2]) == 0; }
    void AddAll(const CellSet& other) {
        for (int i = 0; i < 3; ++i) words[i] |= other.words[i];
    }
    void RemoveAll(const CellSet& other) {
        for (int i = 0; i < 3; ++i) words[i] &= ~other.words[i];
    }
    int Lowest() const {
        for (int i = 0; i < 3; ++i) {
            if (words[i] != 0) return i * 64 + __builtin_ctzll(words[i]);
        }
        return -1;
    }
};

// The bit numbers run up to this, with unused ones between the columns.
constexpr int BitCount = 16 * rules::BoardSize;

// What the sampler draws from: the cells no afloat ship may cover, the hits that afloat ships
// must cover, and the afloat ships' lengths.
struct Evidence {
    CellSet blocked;  // misses and sunk ships
    CellSet hits;     // hits on ships still afloat
    std::array<int, rules::ShipsPerSide> lengths{};
    int ships = 0;  // afloat ships, their lengths first in `lengths`
};

// The evidence of a view, with its untouched cells and the cells aimed in the salvo being filled.
Evidence ReadEvidence(const PlayerBoardView& view, CellSet* unknown, CellSet* aimed);

// The samples' own generator, seeded from the game's once for each salvo: thousands of draws a
// salvo would otherwise be taken from the game's sequence.
class SampleRandom {
  public:
    explicit SampleRandom(std::uint64_t seed) : state_(seed) {}
    int Below(int n) { return static_cast<int>((Next() >> 32) % static_cast<std::uint64_t>(n)); }
    // Evenly in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

  private:
    std::uint64_t Next() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// The cells of each afloat ship of one layout, in the order of the evidence's lengths.
using ShipCells = std::array<CellSet, rules::ShipsPerSide>;

// Where the ships not holding a hit are drawn, leaning towards where the player is thought to lay
// them: a placement is drawn in proportion to 1, or `rimWeight` when it touches the board's edge,
// plus a share for each favoured placement of its length still free, so that together those are
// drawn about `favouredShare` of the time. DrawLayout's weight undoes the leaning, so the layouts
// still stand for every fitting layout alike; the leaning only puts more samples where a prior
// will weigh them most.
struct Proposal {
    static constexpr int MostFavoured = 48;
    double rimWeight = 1.0;
    std::array<CellSet, MostFavoured> favoured{};
    std::array<int, MostFavoured> favouredLength{};
    int favouredCount = 0;
    double favouredShare = 0.0;  // below 1
};

// The cells of the board's edge.
CellSet RimCells();

// One layout of the afloat ships, added to `layout` (and each ship's cells to `ships`, when given),
// and its weight; 0 at a dead end.
double DrawLayout(const Evidence& evidence, SampleRandom& random, CellSet* layout,
                  ShipCells* ships = nullptr, const Proposal* proposal = nullptr);

}  // namespace opponent

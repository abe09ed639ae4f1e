// opponent/expert_targeting.cpp: layouts of the afloat ships drawn by sequential importance
// sampling (hit cells covered first, then the other ships wherever they fit), weighted so that
// every layout that fits the board's evidence counts alike; the shot goes to the cell most of
// that weight covers.
#include "opponent/expert_targeting.h"

#include <vector>

#include "fleet/fleet.h"
#include "opponent/random_numbers.h"
#include "opponent/targeting.h"

namespace opponent {

namespace {

using battle::BoardSize;
constexpr int CellCount = BoardSize * BoardSize;
// Layouts drawn for each shot: enough to rank the cells, few enough for well under a millisecond.
constexpr int SamplesPerShot = 768;

int CellIndex(int x, int y) { return x * BoardSize + y; }

// A set of cells, one bit per cell: column x takes the 16 bits from 16 x, row y the y-th of
// them, so a column reads out as one small mask.
struct CellSet {
    std::uint64_t words[3] = {0, 0, 0};

    static int Bit(int x, int y) { return 16 * x + y; }
    void Add(int bit) { words[bit >> 6] |= std::uint64_t{1} << (bit & 63); }
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

constexpr int BitCount = 16 * BoardSize;

// For each cell and ship length, every position of the ship on an empty board that covers it.
struct PlacementTable {
    std::array<std::array<std::vector<CellSet>, BitCount>, BoardSize + 1> covering;

    PlacementTable() {
        for (int length = 1; length <= BoardSize; ++length) {
            const int orientations = length == 1 ? 1 : 2;
            for (int o = 0; o < orientations; ++o) {
                const int spanX = o == 0 ? length - 1 : 0;
                const int spanY = o == 0 ? 0 : length - 1;
                for (int x = 0; x + spanX < BoardSize; ++x) {
                    for (int y = 0; y + spanY < BoardSize; ++y) {
                        CellSet cells;
                        for (int k = 0; k < length; ++k) {
                            cells.Add(CellSet::Bit(x + (o == 0 ? k : 0), y + (o == 0 ? 0 : k)));
                        }
                        for (int k = 0; k < length; ++k) {
                            const int bit =
                                CellSet::Bit(x + (o == 0 ? k : 0), y + (o == 0 ? 0 : k));
                            covering[length][bit].push_back(cells);
                        }
                    }
                }
            }
        }
    }
};

const PlacementTable& Placements() {
    static const PlacementTable table;
    return table;
}

// The samples' own generator, seeded from the game's for each shot: thousands of draws a shot
// would otherwise be taken from the game's sequence.
class SampleRandom {
  public:
    explicit SampleRandom(std::uint64_t seed) : state_(seed) {}
    int Below(int n) { return static_cast<int>((Next() >> 32) % static_cast<std::uint64_t>(n)); }

  private:
    std::uint64_t Next() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// Where a ship of the length may lie among the free cells: one of them, drawn evenly, and how
// many there were (0: nowhere). Columns are masks, so a position test is a few operations.
int FitShip(const CellSet& taken, int length, SampleRandom& random, CellSet* cells) {
    std::array<std::uint32_t, BoardSize> free;
    for (int x = 0; x < BoardSize; ++x) free[x] = ~taken.Column(x) & 0xFFFu;
    // Starting rows of the vertical positions in each column, and of the horizontal ones
    // beginning in each column.
    std::array<std::uint32_t, BoardSize> down{};
    std::array<std::uint32_t, BoardSize> across{};
    int count = 0;
    for (int x = 0; x < BoardSize; ++x) {
        std::uint32_t starts = free[x];
        for (int k = 1; k < length; ++k) starts &= free[x] >> k;
        down[x] = starts;
        count += __builtin_popcount(starts);
    }
    if (length > 1) {
        for (int x = 0; x + length <= BoardSize; ++x) {
            std::uint32_t starts = free[x];
            for (int k = 1; k < length; ++k) starts &= free[x + k];
            across[x] = starts;
            count += __builtin_popcount(starts);
        }
    }
    if (count == 0) return 0;
    int pick = random.Below(count);
    for (int vertical = 1; vertical >= 0; --vertical) {
        for (int x = 0; x < BoardSize; ++x) {
            std::uint32_t starts = vertical ? down[x] : across[x];
            const int here = __builtin_popcount(starts);
            if (pick >= here) {
                pick -= here;
                continue;
            }
            for (; pick > 0; --pick) starts &= starts - 1;
            const int y = __builtin_ctz(starts);
            if (vertical) {
                cells->AddColumn(x, ((1u << length) - 1u) << y);
            } else {
                for (int k = 0; k < length; ++k) cells->AddColumn(x + k, 1u << y);
            }
            return count;
        }
    }
    return count;
}

struct Evidence {
    CellSet blocked;  // misses, sunk ships, and the cells taken as misses
    CellSet hits;     // hits on ships still afloat
    std::array<int, battle::ShipsPerSide> lengths{};
    int ships = 0;  // afloat ships, their lengths first in `lengths`
};

// One layout of the afloat ships: each step names how many ways it could have gone, and the
// product of those counts weighs the layout so that every fitting layout counts alike. The hit
// cells come first, the lowest uncovered one each time, so each layout is reached one way only.
// Returns 0 at a dead end.
double DrawLayout(const Evidence& evidence, SampleRandom& random, CellSet* layout) {
    const PlacementTable& table = Placements();
    CellSet taken = evidence.blocked;
    CellSet uncovered = evidence.hits;
    std::array<bool, battle::ShipsPerSide> placed{};
    double weight = 1.0;
    struct Option {
        int ship;
        const CellSet* cells;
    };
    while (!uncovered.Empty()) {
        const int cell = uncovered.Lowest();
        std::array<Option, battle::ShipsPerSide * 2 * BoardSize> options;
        int count = 0;
        for (int s = 0; s < evidence.ships; ++s) {
            if (placed[s]) continue;
            const int length = evidence.lengths[s];
            for (const CellSet& cells : table.covering[length][cell]) {
                if (!cells.Meets(taken)) options[count++] = {s, &cells};
            }
        }
        if (count == 0) return 0.0;
        const Option chosen = options[random.Below(count)];
        const CellSet& cells = *chosen.cells;
        weight *= count;
        placed[chosen.ship] = true;
        taken.AddAll(cells);
        uncovered.RemoveAll(cells);
        layout->AddAll(cells);
    }
    for (int s = 0; s < evidence.ships; ++s) {
        if (placed[s]) continue;
        CellSet cells;
        const int count = FitShip(taken, evidence.lengths[s], random, &cells);
        if (count == 0) return 0.0;
        weight *= count;
        taken.AddAll(cells);
        layout->AddAll(cells);
    }
    return weight;
}

// The weight of the sampled layouts that put a ship on each cell; false when every draw ended in
// a dead end.
bool WeighCells(const Evidence& evidence, SampleRandom& random,
                std::array<double, CellCount>* density) {
    density->fill(0.0);
    bool any = false;
    for (int n = 0; n < SamplesPerShot; ++n) {
        CellSet layout;
        const double weight = DrawLayout(evidence, random, &layout);
        if (weight == 0.0) continue;
        any = true;
        layout.RemoveAll(evidence.hits);
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = layout.words[i]; bits != 0; bits &= bits - 1) {
                const int bit = i * 64 + __builtin_ctzll(bits);
                (*density)[CellIndex(bit >> 4, bit & 15)] += weight;
            }
        }
    }
    return any;
}

// The likeliest cell among the candidates, a draw from the game's generator choosing among equals.
int PickLikeliest(const std::array<double, CellCount>& density, const CellSet& candidates) {
    double best = -1.0;
    std::array<int, CellCount> equals;
    int count = 0;
    for (int cell = 0; cell < CellCount; ++cell) {
        if (!candidates.Has(CellSet::Bit(cell / BoardSize, cell % BoardSize))) continue;
        if (density[cell] > best) {
            best = density[cell];
            count = 0;
        }
        if (density[cell] == best) equals[count++] = cell;
    }
    return equals[RandomBelow(count)];
}

}  // namespace

PlayerBoardView ViewPlayerBoard() {
    PlayerBoardView view;
    const battle::Board& board = battle::GameState.boards[battle::Player];
    view.afloat.fill(true);
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            const std::int32_t code = board[x][y];
            Seen& seen = view.cells[x][y];
            if (battle::IsUntouched(code)) {
                seen = Seen::Unknown;
            } else if (code < battle::Miss) {
                seen = Seen::Aimed;
            } else if (code == battle::Miss) {
                seen = Seen::Miss;
            } else if (battle::IsHitShipAfloat(code)) {
                seen = Seen::Hit;
            } else {
                seen = Seen::Sunk;
                const std::int32_t shipId = code - battle::SunkStage;
                if (shipId >= 1 && shipId <= battle::ShipsPerSide) view.afloat[shipId - 1] = false;
            }
        }
    }
    for (std::uint32_t shipId = 1; shipId <= battle::ShipsPerSide; ++shipId) {
        view.lengths[shipId - 1] =
            fleet::Ships[fleet::ShipIndex(battle::Player, shipId)].GetLength();
    }
    return view;
}

bool ChooseExpertCell(const PlayerBoardView& view, int* x, int* y) {
    Evidence evidence;
    CellSet candidates;
    CellSet aimed;
    for (int cx = 0; cx < BoardSize; ++cx) {
        for (int cy = 0; cy < BoardSize; ++cy) {
            const int cell = CellSet::Bit(cx, cy);
            switch (view.cells[cx][cy]) {
                case Seen::Unknown:
                    candidates.Add(cell);
                    break;
                case Seen::Aimed:
                    aimed.Add(cell);
                    break;
                case Seen::Miss:
                case Seen::Sunk:
                    evidence.blocked.Add(cell);
                    break;
                case Seen::Hit:
                    evidence.hits.Add(cell);
                    break;
            }
        }
    }
    if (candidates.Empty()) return false;
    for (int s = 0; s < battle::ShipsPerSide; ++s) {
        const int length = view.lengths[s];
        if (view.afloat[s] && length >= 1 && length <= BoardSize) {
            evidence.lengths[evidence.ships++] = length;
        }
    }

    const std::uint64_t seed =
        (static_cast<std::uint64_t>(rand()) << 15) | static_cast<std::uint64_t>(rand());
    SampleRandom random(seed);
    std::array<double, CellCount> density;
    Evidence assumingMisses = evidence;
    assumingMisses.blocked.AddAll(aimed);
    // When no layout leaves every shot already aimed in this salvo a miss, some of them must hit;
    // the layouts are then weighed without that assumption.
    if (!WeighCells(assumingMisses, random, &density) && !WeighCells(evidence, random, &density)) {
        // Nothing fits what was seen (it cannot, in a fair game): any untouched cell will do.
        density.fill(0.0);
    }
    const int cell = PickLikeliest(density, candidates);
    *x = cell / BoardSize;
    *y = cell % BoardSize;
    return true;
}

void ChooseExpertShot() {
    int x = 0;
    int y = 0;
    if (ChooseExpertCell(ViewPlayerBoard(), &x, &y)) QueueEnemyShot(x, y);
}

}  // namespace opponent

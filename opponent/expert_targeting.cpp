// opponent/expert_targeting.cpp: layouts of the afloat ships drawn by sequential importance
// sampling (hit cells covered first, then the other ships wherever they fit), weighted so that
// every layout that fits the board's evidence counts alike; the shot goes to the cell that best
// adds hits and tells the layouts apart, together with the shots already aimed in the salvo.
#include "opponent/expert_targeting.h"

#include <array>
#include <cstdint>
#include <vector>

#include "opponent/seen_board.h"
#include "rules/game.h"

namespace opponent {

namespace {

// What the computer knows of one cell of the player's board.
enum class Seen : std::uint8_t { Unknown, Aimed, Miss, Hit, Sunk };

// All the computer may know of the player's board: the outcome of each shot, and, once a ship
// has sunk, which ship it was and where it lay. Never where an unhit ship lies, nor which ship
// a hit belongs to.
struct PlayerBoardView {
    std::array<std::array<Seen, rules::BoardSize>, rules::BoardSize> cells{};  // [x][y]
    std::array<std::int32_t, rules::ShipsPerSide> lengths{};                   // by shipId - 1
    std::array<bool, rules::ShipsPerSide> afloat{};                            // by shipId - 1
};

using rules::BoardSize;
constexpr int CellCount = BoardSize * BoardSize;
// Layouts drawn for each shot: enough to rank the cells, few enough for well under a millisecond.
// (Drawing eight times as many plays no better.)
constexpr int SamplesPerShot = 768;
// A salvo has a shot per afloat ship, so at most this many are aimed before the last is chosen.
constexpr int MostAimed = rules::ShipsPerSide - 1;
constexpr int OutcomeCount = 1 << MostAimed;
// What a likely hit is worth beside telling layouts apart, in the cell's score: a hit alone
// scores HitWorth, a shot that splits the layouts evenly one quarter more. With the strength tool,
// anything from 0.15 to 0.5 plays alike; 1 (hits first, splitting only breaks near ties) plays
// worse.
constexpr double HitWorth = 0.3;
// The share of the weight that makes a hit sure, short of 1 for the rounding of the sums.
constexpr double SureHit = 1.0 - 1e-9;

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
    CellSet blocked;  // misses and sunk ships
    CellSet hits;     // hits on ships still afloat
    std::array<int, rules::ShipsPerSide> lengths{};
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
    std::array<bool, rules::ShipsPerSide> placed{};
    double weight = 1.0;
    struct Option {
        int ship;
        const CellSet* cells;
    };
    while (!uncovered.Empty()) {
        const int cell = uncovered.Lowest();
        std::array<Option, rules::ShipsPerSide * 2 * BoardSize> options;
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

// The cells already aimed in this salvo, as bits; only the first MostAimed count.
struct AimedCells {
    std::array<int, MostAimed> bits{};
    int count = 0;
};

AimedCells ListAimed(const CellSet& aimed) {
    AimedCells list;
    for (int i = 0; i < 3; ++i) {
        for (std::uint64_t bits = aimed.words[i]; bits != 0 && list.count < MostAimed;
             bits &= bits - 1) {
            list.bits[list.count++] = i * 64 + __builtin_ctzll(bits);
        }
    }
    return list;
}

// The sampled layouts sorted by what they make of the shots already aimed in this salvo (each a
// hit or a miss: one outcome, one bit each): for every outcome, the weight of its layouts, and the
// weight of those that put a ship on each cell.
struct SalvoWeights {
    std::array<double, OutcomeCount> total{};
    std::array<std::array<double, CellCount>, OutcomeCount> covering{};
    double all = 0.0;
};

// False when every draw ended in a dead end.
bool WeighCells(const Evidence& evidence, const AimedCells& aimed, SampleRandom& random,
                SalvoWeights* weights) {
    for (int n = 0; n < SamplesPerShot; ++n) {
        CellSet layout;
        const double weight = DrawLayout(evidence, random, &layout);
        if (weight == 0.0) continue;
        int outcome = 0;
        for (int a = 0; a < aimed.count; ++a) {
            if (layout.Has(aimed.bits[a])) outcome |= 1 << a;
        }
        weights->total[outcome] += weight;
        weights->all += weight;
        std::array<double, CellCount>& covering = weights->covering[outcome];
        layout.RemoveAll(evidence.hits);
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = layout.words[i]; bits != 0; bits &= bits - 1) {
                const int bit = i * 64 + __builtin_ctzll(bits);
                covering[CellIndex(bit >> 4, bit & 15)] += weight;
            }
        }
    }
    return weights->all > 0.0;
}

// Each cell's worth as the salvo's next shot: its chance of a hit, and how well it splits the
// layouts left alike by the shots already aimed. The split is the chance that two layouts drawn
// at random agree on the aimed shots yet part on this one: shots that would only repeat what
// another shot of the salvo tells (the cells beside an aimed one, around the same hit) score low,
// so the salvo spreads where it learns most, without taking the aimed cells for misses.
std::array<double, CellCount> ScoreCells(const SalvoWeights& weights) {
    std::array<double, CellCount> score;
    const double all = weights.all;
    for (int cell = 0; cell < CellCount; ++cell) {
        double hit = 0.0;
        double split = 0.0;
        for (int outcome = 0; outcome < OutcomeCount; ++outcome) {
            const double covered = weights.covering[outcome][cell];
            hit += covered;
            split += covered * (weights.total[outcome] - covered);
        }
        score[cell] = HitWorth * hit / all + split / (all * all);
        // A sure hit goes first: it is never a wasted shot, and when it sinks a ship it tells
        // which one. (Splitting alone would leave it for last, having nothing to tell apart.)
        if (hit >= all * SureHit) score[cell] += 1.0;
    }
    return score;
}

// The best scored cell among the candidates, a draw from the game's generator choosing among
// equals.
int PickBest(const std::array<double, CellCount>& score, const CellSet& candidates,
             rules::Random& random) {
    double best = -1.0;
    std::array<int, CellCount> equals;
    int count = 0;
    for (int cell = 0; cell < CellCount; ++cell) {
        if (!candidates.Has(CellSet::Bit(cell / BoardSize, cell % BoardSize))) continue;
        if (score[cell] > best) {
            best = score[cell];
            count = 0;
        }
        if (score[cell] == best) equals[count++] = cell;
    }
    return equals[random.Below(count)];
}

PlayerBoardView ViewPlayerBoard(const SeenBoard& seen) {
    PlayerBoardView view;
    view.afloat.fill(true);
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            const std::int32_t code = seen.At(x, y);
            Seen& cell = view.cells[x][y];
            if (rules::IsUntouched(code)) {
                cell = Seen::Unknown;
            } else if (code < rules::Miss) {
                cell = Seen::Aimed;
            } else if (code == rules::Miss) {
                cell = Seen::Miss;
            } else if (rules::IsHitShipAfloat(code)) {
                cell = Seen::Hit;
            } else {
                cell = Seen::Sunk;
                const std::int32_t shipId = code - rules::SunkStage;
                if (shipId >= 1 && shipId <= rules::ShipsPerSide) view.afloat[shipId - 1] = false;
            }
        }
    }
    view.lengths = seen.Lengths();
    return view;
}

// The next cell of the salvo being aimed. It weighs the cells already Aimed in it as either hit or
// miss, and prefers a cell that tells apart what they leave alike, so the salvo spreads over the
// likely places instead of piling onto one. Draws from the game's generator (a seed for its
// samples, then the choice among equally scored cells), so a seeded game replays. False only when
// no Unknown cell is left.
bool ChooseExpertCell(const PlayerBoardView& view, rules::Random& random, int* x, int* y) {
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
    for (int s = 0; s < rules::ShipsPerSide; ++s) {
        const int length = view.lengths[s];
        if (view.afloat[s] && length >= 1 && length <= BoardSize) {
            evidence.lengths[evidence.ships++] = length;
        }
    }

    const std::uint64_t first = static_cast<std::uint64_t>(random.Next());
    const std::uint64_t seed = (first << 15) | static_cast<std::uint64_t>(random.Next());
    SampleRandom samples(seed);
    SalvoWeights weights;
    std::array<double, CellCount> score{};
    // Nothing fits what was seen (it cannot, in a fair game): any untouched cell will do.
    if (WeighCells(evidence, ListAimed(aimed), samples, &weights)) score = ScoreCells(weights);
    const int cell = PickBest(score, candidates, random);
    *x = cell / BoardSize;
    *y = cell % BoardSize;
    return true;
}

}  // namespace

std::optional<rules::Cell> ChooseExpertShot(const SeenBoard& seen, rules::Random& random) {
    int x = 0;
    int y = 0;
    if (!ChooseExpertCell(ViewPlayerBoard(seen), random, &x, &y)) return std::nullopt;
    return rules::Cell{x, y};
}

}  // namespace opponent

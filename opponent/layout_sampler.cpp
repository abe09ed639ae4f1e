// opponent/layout_sampler.cpp: hit cells covered first, then the other ships wherever they fit;
// each step counts how many ways it could have gone, and the product weighs the layout.
#include "opponent/layout_sampler.h"

#include <algorithm>
#include <vector>

namespace opponent {

namespace {

using rules::BoardSize;

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

// The cells of a column's mask, counted in a few operations: the compiler's own count is a library
// call on processors it may not assume have the instruction, and drawing layouts counts a lot.
int CountRows(std::uint32_t rows) {
    rows = rows - ((rows >> 1) & 0x5555u);
    rows = (rows & 0x3333u) + ((rows >> 2) & 0x3333u);
    rows = (rows + (rows >> 4)) & 0x0F0Fu;
    return static_cast<int>((rows + (rows >> 8)) & 0x1Fu);
}

// The starting rows of a ship's positions that touch the edge, upright in column x, or lying
// from column x.
std::uint32_t RimStarts(int length, int x, bool vertical) {
    const int last = BoardSize - 1;
    if (vertical) return x == 0 || x == last ? 0xFFFu : 1u | 1u << (BoardSize - length);
    return x == 0 || x + length == BoardSize ? 0xFFFu : 1u | 1u << last;
}

// The cells of the position starting at row y of column x.
CellSet Position(int length, int x, int y, bool vertical) {
    CellSet cells;
    if (vertical) {
        cells.AddColumn(x, ((1u << length) - 1u) << y);
    } else {
        for (int k = 0; k < length; ++k) cells.AddColumn(x + k, 1u << y);
    }
    return cells;
}

// Where a ship of the length may lie among the free cells: one of them, drawn in proportion to its
// weight under the proposal, and the sum of the weights over its own weight (with no leaning:
// how many positions there were; 0: nowhere). Columns are masks, so a position test is a few
// operations.
double FitShip(const CellSet& taken, int length, SampleRandom& random, const Proposal& proposal,
               CellSet* cells) {
    std::array<std::uint32_t, BoardSize> free;
    for (int x = 0; x < BoardSize; ++x) free[x] = ~taken.Column(x) & 0xFFFu;
    // Starting rows of the vertical positions in each column, and of the horizontal ones
    // beginning in each column.
    std::array<std::uint32_t, BoardSize> down{};
    std::array<std::uint32_t, BoardSize> across{};
    int count = 0;
    int onRim = 0;
    for (int x = 0; x < BoardSize; ++x) {
        std::uint32_t starts = free[x];
        for (int k = 1; k < length; ++k) starts &= free[x] >> k;
        down[x] = starts;
        count += CountRows(starts);
        onRim += CountRows(starts & RimStarts(length, x, true));
    }
    if (length > 1) {
        for (int x = 0; x + length <= BoardSize; ++x) {
            std::uint32_t starts = free[x];
            for (int k = 1; k < length; ++k) starts &= free[x + k];
            across[x] = starts;
            count += CountRows(starts);
            onRim += CountRows(starts & RimStarts(length, x, false));
        }
    }
    if (count == 0) return 0.0;
    std::array<const CellSet*, Proposal::MostFavoured> favoured;
    int favouredFree = 0;
    for (int k = 0; k < proposal.favouredCount; ++k) {
        if (proposal.favouredLength[k] == length && !proposal.favoured[k].Meets(taken)) {
            favoured[favouredFree++] = &proposal.favoured[k];
        }
    }
    const double rimWeight = proposal.rimWeight;
    const double plain = count + (rimWeight - 1.0) * onRim;
    const double extra = favouredFree == 0 ? 0.0
                                           : plain * proposal.favouredShare /
                                                 (1.0 - proposal.favouredShare) / favouredFree;
    const double all = plain + extra * favouredFree;
    double pick = random.Uniform() * all;
    bool rim = true;
    if (pick >= plain) {
        *cells = *favoured[std::min(favouredFree - 1, static_cast<int>((pick - plain) / extra))];
    } else {
        // Rim positions first, then the others, each class drawn evenly within itself.
        // The sums are rounded, so a draw at a class's very edge may name a class with no
        // position: the other class takes it.
        int index = 0;
        rim = onRim == count || (onRim > 0 && pick < rimWeight * onRim);
        if (rim) {
            index = std::min(onRim - 1, static_cast<int>(pick / rimWeight));
        } else {
            index = std::clamp(static_cast<int>(pick - rimWeight * onRim), 0, count - onRim - 1);
        }
        bool found = false;
        for (int vertical = 1; vertical >= 0 && !found; --vertical) {
            for (int x = 0; x < BoardSize && !found; ++x) {
                const std::uint32_t rimRows = RimStarts(length, x, vertical);
                std::uint32_t starts =
                    (vertical ? down[x] : across[x]) & (rim ? rimRows : ~rimRows);
                const int here = CountRows(starts);
                if (index >= here) {
                    index -= here;
                    continue;
                }
                for (; index > 0; --index) starts &= starts - 1;
                *cells = Position(length, x, __builtin_ctz(starts), vertical);
                found = true;
            }
        }
        if (!found) return 0.0;
    }
    static const CellSet rimCells = RimCells();
    double own = cells->Meets(rimCells) ? rimWeight : 1.0;
    for (int k = 0; k < favouredFree; ++k) {
        const CellSet& f = *favoured[k];
        if (f.words[0] == cells->words[0] && f.words[1] == cells->words[1] &&
            f.words[2] == cells->words[2]) {
            own += extra;
        }
    }
    return all / own;
}

}  // namespace

CellSet RimCells() {
    CellSet rim;
    rim.AddColumn(0, 0xFFFu);
    rim.AddColumn(BoardSize - 1, 0xFFFu);
    for (int x = 1; x + 1 < BoardSize; ++x) rim.AddColumn(x, 1u | 1u << (BoardSize - 1));
    return rim;
}

Evidence ReadEvidence(const PlayerBoardView& view, CellSet* unknown, CellSet* aimed) {
    Evidence evidence;
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            const int cell = CellSet::Bit(x, y);
            switch (view.cells[x][y]) {
                case Seen::Unknown:
                    unknown->Add(cell);
                    break;
                case Seen::Aimed:
                    aimed->Add(cell);
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
    for (int s = 0; s < rules::ShipsPerSide; ++s) {
        const int length = view.lengths[s];
        if (view.afloat[s] && length >= 1 && length <= BoardSize) {
            evidence.lengths[evidence.ships++] = length;
        }
    }
    return evidence;
}

// The hit cells come first, the lowest uncovered one each time, so each layout is reached one way
// only, and the product of the counts of ways weighs it as one of all the fitting layouts.
double DrawLayout(const Evidence& evidence, SampleRandom& random, CellSet* layout, ShipCells* ships,
                  const Proposal* proposal) {
    static const Proposal even;
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
        if (ships != nullptr) (*ships)[chosen.ship] = cells;
    }
    for (int s = 0; s < evidence.ships; ++s) {
        if (placed[s]) continue;
        CellSet cells;
        const double ways = FitShip(taken, evidence.lengths[s], random,
                                    proposal != nullptr ? *proposal : even, &cells);
        if (ways == 0.0) return 0.0;
        weight *= ways;
        taken.AddAll(cells);
        layout->AddAll(cells);
        if (ships != nullptr) (*ships)[s] = cells;
    }
    return weight;
}

}  // namespace opponent

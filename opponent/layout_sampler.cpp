// opponent/layout_sampler.cpp: hit cells covered first, then the other ships wherever they fit;
// each step counts how many ways it could have gone, and the product weighs the layout.
#include "opponent/layout_sampler.h"

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
        count += CountRows(starts);
    }
    if (length > 1) {
        for (int x = 0; x + length <= BoardSize; ++x) {
            std::uint32_t starts = free[x];
            for (int k = 1; k < length; ++k) starts &= free[x + k];
            across[x] = starts;
            count += CountRows(starts);
        }
    }
    if (count == 0) return 0;
    int pick = random.Below(count);
    for (int vertical = 1; vertical >= 0; --vertical) {
        for (int x = 0; x < BoardSize; ++x) {
            std::uint32_t starts = vertical ? down[x] : across[x];
            const int here = CountRows(starts);
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

}  // namespace

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
double DrawLayout(const Evidence& evidence, SampleRandom& random, CellSet* layout,
                  ShipCells* ships) {
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
        const int count = FitShip(taken, evidence.lengths[s], random, &cells);
        if (count == 0) return 0.0;
        weight *= count;
        taken.AddAll(cells);
        layout->AddAll(cells);
        if (ships != nullptr) (*ships)[s] = cells;
    }
    return weight;
}

}  // namespace opponent

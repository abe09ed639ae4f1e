// opponent/player_model.cpp: each style a weight over whole layouts, next to every layout alike;
// the styles' shares start from a guess and follow the fleets the computer saw in earlier games.
#include "opponent/player_model.h"

#include <algorithm>
#include <cmath>

namespace opponent {

namespace {

using rules::BoardSize;

// How strongly each style leans: a layout weighs exp(strength x count) against every layout
// alike, the count being the ships touching the edge, the pairs of ships side by side, or (less
// weight) the pairs that come within a cell of each other, corners too.
constexpr double RimStrength = 2.5;
constexpr double TouchStrength = 1.2;
constexpr double SpreadStrength = 2.0;
// How much likelier a ship is to lie again exactly where it lay in an earlier game.
constexpr double AgainStrength = 200.0;
// The shares before any game was seen, and the least a style keeps whatever the games showed: a
// player may change their ways. Most goes to every layout alike: a style guessed wrongly costs a
// player who lays fleets anyhow about a shot a game (with the strength tool, 65.3 against 64.1
// with 0.4 of it alike), and a player with a style shows it within a game or two.
constexpr std::array<double, StyleCount> FirstShares = {0.7, 0.075, 0.075, 0.075, 0.075};
constexpr double LeastShare = 0.02;
// Layouts drawn, once, to learn how the counts fall when every layout is alike.
constexpr int EvenLayouts = 20000;

CellSet Beside(const CellSet& ship) {
    CellSet around;
    for (int x = 0; x < BoardSize; ++x) {
        const std::uint32_t column = ship.Column(x);
        std::uint32_t rows = (column << 1 | column >> 1) & 0xFFFu;
        if (x > 0) rows |= ship.Column(x - 1);
        if (x + 1 < BoardSize) rows |= ship.Column(x + 1);
        around.AddColumn(x, rows);
    }
    return around;
}

CellSet Near(const CellSet& ship) {
    std::array<std::uint32_t, BoardSize> grown{};
    for (int x = 0; x < BoardSize; ++x) {
        const std::uint32_t column = ship.Column(x);
        grown[x] = (column | column << 1 | column >> 1) & 0xFFFu;
    }
    CellSet near;
    for (int x = 0; x < BoardSize; ++x) {
        std::uint32_t rows = grown[x];
        if (x > 0) rows |= grown[x - 1];
        if (x + 1 < BoardSize) rows |= grown[x + 1];
        near.AddColumn(x, rows);
    }
    return near;
}

bool Same(const CellSet& a, const CellSet& b) {
    return a.words[0] == b.words[0] && a.words[1] == b.words[1] && a.words[2] == b.words[2];
}

struct Counts {
    int onRim = 0;
    int touching = 0;
    int near = 0;
};

Counts Count(const CellSet* ships, int count) {
    static const CellSet rim = RimCells();
    Counts counts;
    std::array<CellSet, rules::ShipsPerSide> beside;
    std::array<CellSet, rules::ShipsPerSide> near;
    for (int k = 0; k < count; ++k) {
        counts.onRim += ships[k].Meets(rim) ? 1 : 0;
        beside[k] = Beside(ships[k]);
        near[k] = Near(ships[k]);
        for (int j = 0; j < k; ++j) {
            counts.touching += beside[j].Meets(ships[k]) ? 1 : 0;
            counts.near += near[j].Meets(ships[k]) ? 1 : 0;
        }
    }
    return counts;
}

// The mean of each style's weight over every legal fleet alike, so that each style's weights
// average 1 there as the even style's do.
struct EvenMeans {
    double rim = 0.0;
    double touching = 0.0;
    double spread = 0.0;
};

const EvenMeans& Means() {
    static const EvenMeans means = [] {
        Evidence empty;
        for (std::int32_t length : rules::ShipLengths) empty.lengths[empty.ships++] = length;
        SampleRandom random(0x7469646577726B);
        EvenMeans sums;
        double all = 0.0;
        for (int n = 0; n < EvenLayouts; ++n) {
            CellSet layout;
            ShipCells ships{};
            const double weight = DrawLayout(empty, random, &layout, &ships);
            if (weight == 0.0) continue;
            const Counts counts = Count(ships.data(), empty.ships);
            all += weight;
            sums.rim += weight * std::exp(RimStrength * counts.onRim);
            sums.touching += weight * std::exp(TouchStrength * counts.touching);
            sums.spread += weight * std::exp(-SpreadStrength * counts.near);
        }
        return EvenMeans{sums.rim / all, sums.touching / all, sums.spread / all};
    }();
    return means;
}

// How many positions a ship of the length has on an empty board.
double Positions(int length) { return 2.0 * BoardSize * (BoardSize + 1 - length); }

}  // namespace

PlayerModel::PlayerModel(const FleetMemory& memory, const PlayerBoardView& view) {
    for (int f = 0; f < memory.count; ++f) {
        const SeenFleet& seen = memory.fleets[f];
        Fleet& fleet = remembered_[rememberedCount_++];
        for (int k = 0; k < seen.count; ++k) {
            const SeenShip& ship = seen.ships[k];
            CellSet cells;
            for (int i = 0; i < ship.length; ++i) {
                cells.Add(CellSet::Bit(ship.vertical ? ship.x : ship.x + i,
                                       ship.vertical ? ship.y + i : ship.y));
            }
            fleet.cells[fleet.count] = cells;
            fleet.lengths[fleet.count++] = ship.length;
        }
    }
    for (int id = 1; id <= rules::ShipsPerSide; ++id) {
        CellSet cells;
        for (int x = 0; x < BoardSize; ++x) {
            for (int y = 0; y < BoardSize; ++y) {
                if (view.sunkIds[x][y] == id) cells.Add(CellSet::Bit(x, y));
            }
        }
        if (cells.Empty()) continue;
        sunk_.cells[sunk_.count] = cells;
        sunk_.lengths[sunk_.count++] = view.lengths[id - 1];
    }

    // Each earlier fleet tells for the styles it fits: a whole fleet for the styles of a whole
    // fleet, any ships seen for a fleet laid again.
    const EvenMeans& means = Means();
    std::array<double, StyleCount> logShares;
    for (int s = 0; s < StyleCount; ++s) logShares[s] = std::log(FirstShares[s]);
    for (int f = 0; f < rememberedCount_; ++f) {
        const Fleet& fleet = remembered_[f];
        if (fleet.count == rules::ShipsPerSide) {
            const Counts counts = Count(fleet.cells.data(), fleet.count);
            logShares[AlongRim] += RimStrength * counts.onRim - std::log(means.rim);
            logShares[Touching] += TouchStrength * counts.touching - std::log(means.touching);
            logShares[Spread] += -SpreadStrength * counts.near - std::log(means.spread);
        }
        if (f > 0) logShares[Again] += std::log(WeighFleet(fleet, f));
    }
    if (rememberedCount_ == 0) logShares[Again] = -HUGE_VAL;
    const double top = *std::max_element(logShares.begin(), logShares.end());
    double sum = 0.0;
    for (int s = 0; s < StyleCount; ++s) {
        shares_[s] = std::exp(logShares[s] - top);
        sum += shares_[s];
    }
    for (double& share : shares_) share /= sum;
    sum = 0.0;
    for (int s = 0; s < StyleCount; ++s) {
        if (s != Again || rememberedCount_ > 0) shares_[s] = std::max(shares_[s], LeastShare);
        sum += shares_[s];
    }
    for (double& share : shares_) share /= sum;

    proposal_.rimWeight = 1.0 + 8.0 * shares_[AlongRim];
    for (int f = 0; f < rememberedCount_; ++f) {
        const Fleet& fleet = remembered_[f];
        for (int k = 0; k < fleet.count; ++k) {
            bool known = false;
            for (int j = 0; j < proposal_.favouredCount && !known; ++j) {
                known = Same(proposal_.favoured[j], fleet.cells[k]);
            }
            if (known || proposal_.favouredCount == Proposal::MostFavoured) continue;
            proposal_.favoured[proposal_.favouredCount] = fleet.cells[k];
            proposal_.favouredLength[proposal_.favouredCount++] = fleet.lengths[k];
        }
    }
    if (proposal_.favouredCount > 0) proposal_.favouredShare = std::min(0.6, shares_[Again] + 0.05);
}

// The weight of the style "a fleet laid again" for the ships of `fleet`, from the fleets
// remembered before index `earlier`, each alike: a ship where one of that fleet's ships of its
// length lay weighs AgainStrength, then the weight is brought back to a mean of 1.
double PlayerModel::WeighFleet(const Fleet& fleet, int earlier) const {
    if (earlier == 0) return 1.0;
    double sum = 0.0;
    for (int f = 0; f < earlier; ++f) {
        const Fleet& before = remembered_[f];
        double weight = 1.0;
        for (int k = 0; k < fleet.count; ++k) {
            int alike = 0;
            bool again = false;
            for (int j = 0; j < before.count; ++j) {
                if (before.lengths[j] != fleet.lengths[k]) continue;
                ++alike;
                again = again || Same(before.cells[j], fleet.cells[k]);
            }
            weight *= (again ? AgainStrength : 1.0) /
                      (1.0 + (AgainStrength - 1.0) * alike / Positions(fleet.lengths[k]));
        }
        sum += weight;
    }
    return sum / earlier;
}

double PlayerModel::Weigh(const ShipCells& afloat, const Evidence& evidence) const {
    Fleet fleet = sunk_;
    for (int k = 0; k < evidence.ships && fleet.count < rules::ShipsPerSide; ++k) {
        fleet.cells[fleet.count] = afloat[k];
        fleet.lengths[fleet.count++] = evidence.lengths[k];
    }
    const EvenMeans& means = Means();
    const Counts counts = Count(fleet.cells.data(), fleet.count);
    double weight = shares_[Even];
    weight += shares_[AlongRim] * std::exp(RimStrength * counts.onRim) / means.rim;
    weight += shares_[Touching] * std::exp(TouchStrength * counts.touching) / means.touching;
    weight += shares_[Spread] * std::exp(-SpreadStrength * counts.near) / means.spread;
    if (rememberedCount_ > 0) weight += shares_[Again] * WeighFleet(fleet, rememberedCount_);
    return weight;
}

}  // namespace opponent

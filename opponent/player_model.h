// opponent/player_model.h: how the player is thought to lay out a fleet: a mixture of every legal
// layout alike with the styles people use (along the rim, ships touching, ships spread apart, the
// fleet of an earlier game again), each style weighed by the fleets of earlier games.
#pragma once

#include <array>

#include "opponent/board_view.h"
#include "opponent/fleet_memory.h"
#include "opponent/layout_sampler.h"

namespace opponent {

enum Style { Even, AlongRim, Touching, Spread, Again, StyleCount };

class PlayerModel {
  public:
    // The styles weighed by the fleets in `memory`; `view` gives this game's sunk ships, which
    // every layout drawn holds as well.
    PlayerModel(const FleetMemory& memory, const PlayerBoardView& view);

    // How likely the layout of the afloat ships (in the order of the evidence's lengths), with this
    // game's sunk ships, is under the mixture, over how likely it is with every layout alike.
    double Weigh(const ShipCells& afloat, const Evidence& evidence) const;

    // Where to draw layouts so that the samples fall where the mixture puts its weight.
    const Proposal& Leaning() const { return proposal_; }

    // The share of each style before this game's outcomes, summing to 1.
    const std::array<double, StyleCount>& Shares() const { return shares_; }

  private:
    struct Fleet {
        std::array<CellSet, rules::ShipsPerSide> cells{};
        std::array<int, rules::ShipsPerSide> lengths{};
        int count = 0;
    };

    double WeighFleet(const Fleet& fleet, int earlier) const;

    std::array<double, StyleCount> shares_{};
    std::array<Fleet, FleetMemory::MostFleets> remembered_{};
    int rememberedCount_ = 0;
    Fleet sunk_;
    Proposal proposal_;
};

}  // namespace opponent

// tools/opponent_strength/opponent_strength.cpp: plays seeded games of the computer's targeting
// against player fleets laid out by PlaceFleetAtRandom, with the computer's own fleet afloat
// throughout (five shots a salvo), and prints how many salvos and shots it needs to sink them.
//
// Usage: opponent_strength [games, default 10000] [first seed, default 1]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "opponent/random_numbers.h"
#include "tools/opponent_strength/headless_game.h"

namespace {

struct Figures {
    double mean;
    double median;
    int maximum;
};

Figures Summarise(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (int v : values) sum += v;
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {sum / static_cast<double>(n), median, values.back()};
}

// The player's fleet is sunk by the computer alone: the player's slots stay empty.
void NoPlayerShot() {}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    const long firstSeed = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 1;
    if (games < 1) {
        std::fprintf(stderr, "usage: %s [games >= 1] [first seed]\n", argv[0]);
        return 2;
    }

    headless::LoadHeadlessShips();
    std::vector<int> salvos;
    std::vector<int> shots;
    long slotsLeftEmpty = 0;  // computer shots with no untouched cell left to aim at
    salvos.reserve(static_cast<std::size_t>(games));
    shots.reserve(static_cast<std::size_t>(games));
    for (long game = 0; game < games; ++game) {
        // Seeds a large odd step apart: neighbouring seeds give nearly the same first draw.
        const auto seed = static_cast<std::uint32_t>(firstSeed + game * 2654435761L);
        headless::StartHeadlessGame();
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(battle::Player, nullptr);
        int salvoCount = 0;
        int shotCount = 0;
        while (true) {
            ++salvoCount;
            const headless::SalvoResult result = headless::PlayHeadlessSalvo(NoPlayerShot);
            slotsLeftEmpty += battle::ShipsPerSide - result.shotsAtPlayer;
            if (result.shotsToSinkPlayerFleet > 0) {
                shotCount += result.shotsToSinkPlayerFleet;
                break;
            }
            shotCount += result.shotsAtPlayer;
            if (salvoCount > 144) {
                std::fprintf(stderr, "seed %u: the fleet was not sunk\n", seed);
                return 1;
            }
        }
        salvos.push_back(salvoCount);
        shots.push_back(shotCount);
    }

    const Figures s = Summarise(salvos);
    const Figures t = Summarise(shots);
    std::printf("games %ld, seeds %ld + k x 2654435761 (mod 2^32)\n", games, firstSeed);
    std::printf("salvos to sink the fleet: mean %.2f, median %.1f, maximum %d\n", s.mean, s.median,
                s.maximum);
    std::printf("shots to sink the fleet:  mean %.2f, median %.1f, maximum %d\n", t.mean, t.median,
                t.maximum);
    std::printf("computer shots left unaimed for want of an untouched cell: %ld\n", slotsLeftEmpty);
    return 0;
}

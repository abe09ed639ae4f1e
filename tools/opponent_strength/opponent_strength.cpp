// tools/opponent_strength/opponent_strength.cpp: plays seeded games of the computer's targeting
// against player fleets laid out by PlaceFleetAtRandom, with the computer's own fleet afloat
// throughout (five shots a salvo), and prints how many salvos and shots it needs to sink them.
//
// Usage: opponent_strength [--level standard|expert] [--fleet game|uniform] [--shots 1..5]
//                          [--fleets FILE [--series]] [--each] [games, default 10000 or the
//                          file's fleets] [first seed, default 1]
// --fleet uniform lays the player's fleet out so that every legal layout is equally likely, in
// place of the game's own random placement; --shots gives the computer fewer shots a salvo (its
// other ships start sunk), 1 showing what seeing every shot's outcome is worth; --each prints every
// game's shots and salvos by its seed, so that two players can be compared game by game. The misses
// are sorted by where they fell (around a ship the same salvo finished, around a ship hit,
// elsewhere), to show what firing blind costs. --fleets plays the fleets of a file (fleet_file.h),
// game k the fleet of line k, over again when the games outnumber them; --series plays them as one
// sitting, the computer's memory kept from game to game as the windowed game keeps it. The last
// line sums the level up:
//   LEVEL: shots mean M median D p90 P max X; salvos mean S over N games
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "battle/salvo_driver.h"
#include "battle/windowless_game.h"
#include "fleet_file.h"
#include "opponent/fleet_memory.h"
#include "opponent/seen_board.h"
#include "rules/game.h"
#include "rules/moves.h"

namespace {

struct Figures {
    double mean;
    double median;
    int p90;  // the nearest-rank 90th percentile
    int maximum;
};

// An even choice among n, up to 2^30, from two draws of the generator (one draw gives 15 bits).
int Below(rules::Random& random, int n) {
    const int high = random.Next();  // drawn apart: the order of the two draws is fixed
    const int low = random.Next();
    return ((high << 15) | low) % n;
}

Figures Summarise(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (int v : values) sum += v;
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    const std::size_t rank90 = (n * 9 + 9) / 10;  // ceil(0.9 n), at least 1
    return {sum / static_cast<double>(n), median, values[rank90 - 1], values.back()};
}

// Every legal layout of the fleet equally likely: each ship anywhere it fits on an empty board,
// both ways alike, the whole layout drawn again when two ships meet.
void PlaceFleetUniformly(rules::Game& game, rules::Random& random) {
    while (true) {
        rules::Board cells{};
        std::array<rules::Cell, rules::ShipsPerSide> firsts{};
        std::array<bool, rules::ShipsPerSide> vertical{};
        bool overlap = false;
        for (int k = 0; k < rules::ShipsPerSide && !overlap; ++k) {
            const int span = rules::ShipLengths[k] - 1;
            const int along = rules::BoardSize - span;  // first cells along the ship's way
            const int positions = along * rules::BoardSize;
            const int pick = Below(random, 2 * positions);
            vertical[k] = pick >= positions;
            const int at = pick % positions;
            firsts[k] = vertical[k] ? rules::Cell{at / along, at % along}
                                    : rules::Cell{at % along, at / along};
            for (int i = 0; i <= span && !overlap; ++i) {
                std::int32_t& cell = vertical[k] ? cells[firsts[k].x][firsts[k].y + i]
                                                 : cells[firsts[k].x + i][firsts[k].y];
                overlap = cell != 0;
                cell = 1;
            }
        }
        if (overlap) continue;
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            game.fleets[rules::Player][k].vertical = vertical[k];
            rules::PlaceShip(game, rules::Player, k + 1, firsts[k]);
        }
        return;
    }
}

// The computer's misses of one game, by what they were fired at: around a ship that the same salvo
// finished (a shot a player seeing every result would never fire), around a ship hit but not yet
// finished, or elsewhere (hunting).
struct Misses {
    long dead = 0;
    long aroundHit = 0;
    long hunting = 0;
};

// Sorts the misses of one salvo on the player's board, from the board before the salvo and after.
void CountMisses(const rules::Board& before, const rules::Board& after,
                 const std::vector<rules::Cell>& missed, Misses* misses) {
    std::array<int, rules::ShipsPerSide + 1> cells{}, hitBefore{}, hitAfter{};
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            const int ship = after[x][y] % 10;
            if (ship == 0) continue;
            ++cells[ship];
            hitBefore[ship] += rules::IsHitOrSunk(before[x][y]) ? 1 : 0;
            hitAfter[ship] += rules::IsHitOrSunk(after[x][y]) ? 1 : 0;
        }
    }
    for (const rules::Cell& cell : missed) {
        bool dead = false;
        bool aroundHit = false;
        const int dx[4] = {-1, 1, 0, 0};
        const int dy[4] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d) {
            const int x = cell.x + dx[d];
            const int y = cell.y + dy[d];
            if (x < 0 || y < 0 || x >= rules::BoardSize || y >= rules::BoardSize) continue;
            const int ship = after[x][y] % 10;
            if (ship == 0 || hitBefore[ship] == cells[ship]) continue;
            dead = dead || hitAfter[ship] == cells[ship];
            aroundHit = aroundHit || hitAfter[ship] > 0;
        }
        ++(dead ? misses->dead : aroundHit ? misses->aroundHit : misses->hunting);
    }
}

// The player's fleet is sunk by the computer alone: the player's slots stay empty.
std::optional<rules::Cell> NoPlayerShot(const rules::Game&) { return std::nullopt; }

}  // namespace

int main(int argc, char** argv) {
    rules::Level level = rules::Level::Standard;
    std::vector<const char*> numbers;
    bool usable = true;
    bool uniformFleet = false;
    bool eachGame = false;
    int shotsPerSalvo = rules::ShipsPerSide;
    const char* fleetFile = nullptr;
    bool series = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
            const char* name = argv[++i];
            if (std::strcmp(name, "standard") == 0) {
                level = rules::Level::Standard;
            } else if (std::strcmp(name, "expert") == 0) {
                level = rules::Level::Expert;
            } else {
                usable = false;
            }
        } else if (std::strcmp(argv[i], "--fleet") == 0 && i + 1 < argc) {
            const char* name = argv[++i];
            uniformFleet = std::strcmp(name, "uniform") == 0;
            usable = usable && (uniformFleet || std::strcmp(name, "game") == 0);
        } else if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) {
            shotsPerSalvo = static_cast<int>(std::strtol(argv[++i], nullptr, 10));
            usable = usable && shotsPerSalvo >= 1 && shotsPerSalvo <= rules::ShipsPerSide;
        } else if (std::strcmp(argv[i], "--fleets") == 0 && i + 1 < argc) {
            fleetFile = argv[++i];
        } else if (std::strcmp(argv[i], "--series") == 0) {
            series = true;
        } else if (std::strcmp(argv[i], "--each") == 0) {
            eachGame = true;
        } else {
            numbers.push_back(argv[i]);
        }
    }
    usable = usable && (fleetFile != nullptr || !series);
    std::vector<Fleet> fleets;
    if (usable && fleetFile != nullptr) {
        std::string error;
        if (!ReadFleetFile(fleetFile, &fleets, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    const long defaultGames = fleetFile != nullptr ? static_cast<long>(fleets.size()) : 10000;
    const long games = numbers.size() > 0 ? std::strtol(numbers[0], nullptr, 10) : defaultGames;
    const long firstSeed = numbers.size() > 1 ? std::strtol(numbers[1], nullptr, 10) : 1;
    if (!usable || games < 1 || numbers.size() > 2) {
        std::fprintf(stderr,
                     "usage: %s [--level standard|expert] [--fleet game|uniform] [--shots 1..5] "
                     "[--fleets FILE [--series]] [--each] [games >= 1] [first seed]\n",
                     argv[0]);
        return 2;
    }
    // What the computer keeps from one game of a sitting to the next.
    opponent::TargetingMemory carried;
    std::vector<int> salvos;
    std::vector<int> shots;
    long slotsLeftEmpty = 0;    // computer shots with no untouched cell left to aim at
    std::vector<int> deciding;  // misses before the last sinking in the deciding salvo
    Misses misses;
    salvos.reserve(static_cast<std::size_t>(games));
    shots.reserve(static_cast<std::size_t>(games));
    for (long game = 0; game < games; ++game) {
        // Seeds a large odd step apart: neighbouring seeds give nearly the same first draw.
        const auto seed = static_cast<std::uint32_t>(firstSeed + game * 2654435761L);
        battle::WindowlessGame play;
        play.game = rules::NewGame(level);
        play.random.Seed(seed);
        if (series) play.memory = carried;
        if (!fleets.empty()) {
            LayFleet(play.game, fleets[static_cast<std::size_t>(game) % fleets.size()]);
        } else if (uniformFleet) {
            rules::Random fleetLayout(seed ^ 0x5A5A5A5Au);
            PlaceFleetUniformly(play.game, fleetLayout);
        } else {
            rules::PlaceFleetAtRandom(play.game, rules::Player, play.random);
        }
        // The enemy fleet is laid out from a generator of its own, so the computer's draws are
        // the ones it always had.
        rules::Random enemyLayout(~seed);
        rules::StartBattle(play.game, enemyLayout);
        // The computer has a shot a salvo for each of its ships afloat.
        for (int k = shotsPerSalvo; k < rules::ShipsPerSide; ++k) {
            rules::ShipState& ship = play.game.fleets[rules::Enemy][k];
            ship.hits = ship.length;
        }
        int salvoCount = 0;
        int shotCount = 0;
        while (true) {
            ++salvoCount;
            battle::EventLog log;
            const rules::Board before = play.game.boards[rules::Player];
            const auto end = battle::PlaySalvo(play.game, NoPlayerShot, play.computer(), log);
            int shotsAtPlayer = 0;
            int shotsToLastSinking = 0;
            int hitsAtPlayer = 0;
            std::vector<rules::Cell> missed;
            for (const rules::Event& event : log.events) {
                const bool settled = event.kind == rules::EventKind::Missed ||
                                     event.kind == rules::EventKind::Hit ||
                                     event.kind == rules::EventKind::Sinking;
                if (!settled || event.shot.side != rules::Player) continue;
                ++shotsAtPlayer;
                if (event.kind != rules::EventKind::Missed) ++hitsAtPlayer;
                if (event.kind == rules::EventKind::Sinking) shotsToLastSinking = shotsAtPlayer;
                if (event.kind == rules::EventKind::Missed) {
                    missed.push_back(rules::Cell{event.shot.x, event.shot.y});
                }
            }
            slotsLeftEmpty += rules::ShipsPerSide - shotsAtPlayer;
            // The enemy fleet is never shot at, so a game that ends is lost, by the salvo's last
            // sinking.
            if (end) {
                // Misses behind the last sinking were never counted as shots.
                missed.resize(static_cast<std::size_t>(shotsToLastSinking - hitsAtPlayer));
                CountMisses(before, play.game.boards[rules::Player], missed, &misses);
                shotCount += shotsToLastSinking;
                deciding.push_back(shotsToLastSinking - hitsAtPlayer);
                break;
            }
            CountMisses(before, play.game.boards[rules::Player], missed, &misses);
            shotCount += shotsAtPlayer;
            if (salvoCount > 144) {
                std::fprintf(stderr, "seed %u: the fleet was not sunk\n", seed);
                return 1;
            }
        }
        if (series) {
            opponent::RememberFleet(opponent::SeenBoard(play.game), play.memory.fleets);
            carried = play.memory;
        }
        salvos.push_back(salvoCount);
        shots.push_back(shotCount);
        if (eachGame) std::printf("game %u: %d shots, %d salvos\n", seed, shotCount, salvoCount);
    }

    const Figures s = Summarise(salvos);
    const Figures t = Summarise(shots);
    std::printf("games %ld, seeds %ld + k x 2654435761 (mod 2^32)\n", games, firstSeed);
    std::printf("salvos to sink the fleet: mean %.2f, median %.1f, maximum %d\n", s.mean, s.median,
                s.maximum);
    std::printf("shots to sink the fleet:  mean %.2f, median %.1f, maximum %d\n", t.mean, t.median,
                t.maximum);
    std::printf("misses fired before the last sinking in the deciding salvo: mean %.2f\n",
                Summarise(deciding).mean);
    const double perGame = 1.0 / static_cast<double>(games);
    std::printf(
        "misses a game: %.2f around a ship finished in the same salvo, %.2f around a ship "
        "hit, %.2f hunting\n",
        misses.dead * perGame, misses.aroundHit * perGame, misses.hunting * perGame);
    std::printf("computer shots left unaimed for want of an untouched cell: %ld\n", slotsLeftEmpty);
    // A sitting's later games, once the computer has had a few to learn from.
    constexpr std::size_t Learning = 5;
    if (series && shots.size() > Learning) {
        const std::vector<int> later(shots.begin() + Learning, shots.end());
        std::printf("shots from game %zu on: mean %.1f over %zu games\n", Learning + 1,
                    Summarise(later).mean, later.size());
    }
    std::printf(
        "%s: shots mean %.1f median %.1f p90 %.1f max %.1f; salvos mean %.1f over %ld games\n",
        level == rules::Level::Expert ? "expert" : "standard", t.mean, t.median,
        static_cast<double>(t.p90), static_cast<double>(t.maximum), s.mean, games);
    return 0;
}

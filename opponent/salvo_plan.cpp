// opponent/salvo_plan.cpp: one set of sampled layouts for the whole salvo; candidate salvos built
// greedily, each cell scored with the outcomes of the cells before it and the water they leave
// dead; the candidates ranked by the hits they promise now and in the salvo after.
#include "opponent/salvo_plan.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

#include "opponent/layout_sampler.h"
#include "opponent/player_model.h"

namespace opponent {

namespace {

using rules::BoardSize;

// Layouts drawn for a salvo: enough to rank the cells and the salvos, few enough for a few
// milliseconds a salvo. (Four times as many play at most half a shot a game better, with the
// strength tool, for four times the time.)
constexpr int SamplesPerSalvo = 3072;
// Cells aimed already and cells planned together never exceed a salvo's shots, so the outcomes
// of a salvo fit in this many bits.
constexpr int MostShots = rules::ShipsPerSide;
constexpr int OutcomeCount = 1 << MostShots;
// The worth of a likely hit beside telling layouts apart, one value for each candidate salvo: a
// hit alone scores HitWorth, a shot that splits the layouts evenly one quarter more.
constexpr std::array<double, 4> HitWorths = {0.3, 0.1, 0.8, 3.0};
// How many more hits another candidate must promise to replace the first: less than that is the
// samples' noise, and the first candidate spreads its shots best.
constexpr double PromiseMargin = 0.02;
// What a shot that is likely dead water costs a cell's score. Such shots are what firing blind
// wastes most (about a shot for each ship, where a player seeing every result would stop at the
// sinking), yet the same cell is a hit in other layouts: with the strength tool 0.1 saves 0.7 of
// a shot a game, 0.05 and 0.2 less, and 1 loses a shot, its shots pushed to worse hunting cells.
constexpr double DeadWorth = 0.1;
// The share of the weight that makes a hit sure, short of 1 for the rounding of the sums.
constexpr double SureHit = 1.0 - 1e-9;

struct Sample {
    CellSet cells;    // the layout's cells not yet hit
    double weight;    // a share of all the samples' weight
    ShipCells ships;  // each afloat ship's cells, hit or not
};

CellSet Beside(const CellSet& ship, const CellSet& layout) {
    CellSet around;
    for (int i = 0; i < 3; ++i) {
        for (std::uint64_t bits = ship.words[i]; bits != 0; bits &= bits - 1) {
            const int bit = i * 64 + __builtin_ctzll(bits);
            const int x = CellSet::X(bit);
            const int y = CellSet::Y(bit);
            if (x > 0) around.Add(CellSet::Bit(x - 1, y));
            if (x + 1 < BoardSize) around.Add(CellSet::Bit(x + 1, y));
            if (y > 0) around.Add(CellSet::Bit(x, y - 1));
            if (y + 1 < BoardSize) around.Add(CellSet::Bit(x, y + 1));
        }
    }
    around.RemoveAll(layout);
    return around;
}

// Layouts drawn where the player is thought to lay ships, each weighed by how likely the model of
// the player makes it.
std::vector<Sample> DrawSamples(const Evidence& evidence, const PlayerModel& model,
                                std::uint64_t seed) {
    SampleRandom random(seed);
    std::vector<Sample> samples;
    samples.reserve(SamplesPerSalvo);
    double all = 0.0;
    for (int n = 0; n < SamplesPerSalvo; ++n) {
        CellSet layout;
        ShipCells cells{};
        double weight = DrawLayout(evidence, random, &layout, &cells, &model.Leaning());
        if (weight == 0.0) continue;
        weight *= model.Weigh(cells, evidence);
        layout.RemoveAll(evidence.hits);
        samples.push_back({layout, weight, cells});
        all += weight;
    }
    for (Sample& sample : samples) sample.weight /= all;
    return samples;
}

// The samples sorted by what they make of the cells of the salvo so far (each a hit or a miss:
// one outcome, one bit each): the weight of each outcome, and of its layouts that cover each cell.
struct OutcomeWeights {
    int cells = 0;
    std::array<double, OutcomeCount> total{};
    std::array<std::array<double, BitCount>, OutcomeCount> covering{};
    std::vector<std::uint8_t> outcome;  // by sample
    // The chance that a cell is water beside a ship the salvo's cells finish: a shot there tells
    // nothing the salvo does not tell already.
    std::array<double, BitCount> dead{};
    CellSet settled;                // the hits seen and the salvo's cells
    std::vector<CellSet> deadZone;  // by sample
};

// No cell of the salvo yet: one outcome, every sample in it.
void WeighAll(const std::vector<Sample>& samples, const CellSet& hits, OutcomeWeights* weights) {
    weights->cells = 0;
    weights->dead = {};
    weights->settled = hits;
    weights->deadZone.assign(samples.size(), CellSet{});
    weights->total = {};
    weights->covering[0] = {};
    weights->outcome.assign(samples.size(), 0);
    for (const Sample& sample : samples) {
        weights->total[0] += sample.weight;
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = sample.cells.words[i]; bits != 0; bits &= bits - 1) {
                weights->covering[0][i * 64 + __builtin_ctzll(bits)] += sample.weight;
            }
        }
    }
}

// The salvo's new cell `bit` hits one ship of the sample; when the hits seen and the salvo cover
// that ship, the water beside it becomes dead.
void FinishShip(const Sample& sample, int bit, const CellSet& settled, CellSet* deadZone,
                std::array<double, BitCount>* dead) {
    for (const CellSet& ship : sample.ships) {
        if (!ship.Has(bit)) continue;
        CellSet unsettled = ship;
        unsettled.RemoveAll(settled);
        if (!unsettled.Empty()) return;
        CellSet fresh = Beside(ship, sample.cells);
        fresh.RemoveAll(*deadZone);
        deadZone->AddAll(fresh);
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = fresh.words[i]; bits != 0; bits &= bits - 1) {
                (*dead)[i * 64 + __builtin_ctzll(bits)] += sample.weight;
            }
        }
        return;
    }
}

// One more cell in the salvo: each outcome splits in two, and only the layouts that cover the cell
// move, so a step costs in proportion to the cell's chance of a hit.
void AddCell(const std::vector<Sample>& samples, int bit, OutcomeWeights* weights) {
    const int added = 1 << weights->cells++;
    weights->settled.Add(bit);
    for (int outcome = 0; outcome < added; ++outcome) {
        weights->total[outcome | added] = 0.0;
        weights->covering[outcome | added] = {};
    }
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const Sample& sample = samples[n];
        if (!sample.cells.Has(bit)) continue;
        const int outcome = weights->outcome[n] | added;
        weights->outcome[n] = static_cast<std::uint8_t>(outcome);
        FinishShip(sample, bit, weights->settled, &weights->deadZone[n], &weights->dead);
        weights->total[outcome] += sample.weight;
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = sample.cells.words[i]; bits != 0; bits &= bits - 1) {
                weights->covering[outcome][i * 64 + __builtin_ctzll(bits)] += sample.weight;
            }
        }
    }
    for (int outcome = 0; outcome < added; ++outcome) {
        weights->total[outcome] -= weights->total[outcome | added];
        for (int cell = 0; cell < BitCount; ++cell) {
            weights->covering[outcome][cell] -= weights->covering[outcome | added][cell];
        }
    }
}

// Each cell's worth as the salvo's next shot: its chance of a hit, and how well it splits the
// layouts left alike by the cells already in the salvo. The split is the chance that two layouts
// drawn at random agree on those cells yet part on this one: cells that would only repeat what
// another cell of the salvo tells (beside it, around the same hit) score low, so the salvo
// spreads over the ways a hit ship may lie instead of piling onto one.
double ScoreCell(const OutcomeWeights& weights, int outcomes, int bit, double hitWorth) {
    double hit = 0.0;
    double split = 0.0;
    for (int outcome = 0; outcome < outcomes; ++outcome) {
        const double covered = weights.covering[outcome][bit];
        hit += covered;
        split += covered * (weights.total[outcome] - covered);
    }
    // A sure hit goes first: it is never a wasted shot, and when it sinks a ship it tells which.
    return hitWorth * hit + split + (hit >= SureHit ? 1.0 : 0.0) - DeadWorth * weights.dead[bit];
}

// The best scored cell among the candidates, a draw from the game's generator choosing among
// equals; -1 when there is no candidate.
int PickBest(const OutcomeWeights& weights, int outcomes, const CellSet& candidates,
             double hitWorth, const DrawBelow& draw) {
    double best = -1.0;
    std::array<int, BitCount> equals;
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        for (std::uint64_t bits = candidates.words[i]; bits != 0; bits &= bits - 1) {
            const int bit = i * 64 + __builtin_ctzll(bits);
            const double score = ScoreCell(weights, outcomes, bit, hitWorth);
            if (score > best) {
                best = score;
                count = 0;
            }
            if (score == best) equals[count++] = bit;
        }
    }
    if (count == 0) return -1;
    return equals[count == 1 ? 0 : draw(count)];
}

// A salvo of `shots` cells added to the aimed ones, each the best for the salvo so far; the
// weights are left sorted by the outcomes of the whole salvo.
std::vector<int> BuildGreedy(const std::vector<Sample>& samples, const std::vector<int>& aimed,
                             CellSet candidates, int shots, double hitWorth, const DrawBelow& draw,
                             OutcomeWeights* weights) {
    std::vector<int> salvo = aimed;
    for (int k = 0; k < shots; ++k) {
        const int bit = PickBest(*weights, 1 << weights->cells, candidates, hitWorth, draw);
        if (bit < 0) break;
        salvo.push_back(bit);
        candidates.Remove(bit);
        AddCell(samples, bit, weights);
    }
    return salvo;
}

// What a salvo promises, from the weights sorted by its outcomes: its expected hits, and for each
// outcome the hits of the likeliest cells left, as many as the salvo has shots, as the next salvo
// would fire them.
double Promise(const OutcomeWeights& weights, const std::vector<int>& salvo,
               const CellSet& candidates, int shots) {
    double hits = 0.0;
    CellSet left = candidates;
    for (int bit : salvo) left.Remove(bit);
    std::vector<double> chances;
    for (int outcome = 0; outcome < 1 << weights.cells; ++outcome) {
        if (weights.total[outcome] <= 0.0) continue;
        hits += weights.total[outcome] * __builtin_popcount(static_cast<unsigned>(outcome));
        chances.clear();
        for (int i = 0; i < 3; ++i) {
            for (std::uint64_t bits = left.words[i]; bits != 0; bits &= bits - 1) {
                chances.push_back(weights.covering[outcome][i * 64 + __builtin_ctzll(bits)]);
            }
        }
        const int next = std::min<int>(shots, static_cast<int>(chances.size()));
        std::partial_sort(chances.begin(), chances.begin() + next, chances.end(),
                          std::greater<double>());
        for (int k = 0; k < next; ++k) hits += chances[k];
    }
    return hits;
}

std::vector<int> AsBits(const CellSet& cells) {
    std::vector<int> bits;
    for (int i = 0; i < 3; ++i) {
        for (std::uint64_t word = cells.words[i]; word != 0; word &= word - 1) {
            bits.push_back(i * 64 + __builtin_ctzll(word));
        }
    }
    return bits;
}

// Untouched cells drawn one by one: what is left when no layout fits what was seen (it cannot,
// in a fair game).
std::vector<int> DrawAny(CellSet candidates, int shots, const DrawBelow& draw) {
    std::vector<int> salvo;
    for (int k = 0; k < shots; ++k) {
        const std::vector<int> left = AsBits(candidates);
        if (left.empty()) break;
        const int bit = left[draw(static_cast<int>(left.size()))];
        salvo.push_back(bit);
        candidates.Remove(bit);
    }
    return salvo;
}

}  // namespace

std::vector<rules::Cell> PlanSalvo(const PlayerBoardView& view, int shots, const DrawBelow& draw,
                                   const FleetMemory& memory) {
    CellSet candidates;
    CellSet aimedCells;
    const Evidence evidence = ReadEvidence(view, &candidates, &aimedCells);
    std::vector<int> aimed = AsBits(aimedCells);
    if (aimed.size() >= MostShots) aimed.resize(MostShots - 1);
    shots = std::clamp(shots, 0, MostShots - static_cast<int>(aimed.size()));
    if (candidates.Empty() || shots == 0) return {};

    const auto first = static_cast<std::uint64_t>(draw(1 << 15));
    const std::uint64_t seed = (first << 15) | static_cast<std::uint64_t>(draw(1 << 15));
    const std::vector<Sample> samples = DrawSamples(evidence, PlayerModel(memory, view), seed);

    std::vector<int> best;
    if (samples.empty()) {
        best = DrawAny(candidates, shots, draw);
    } else {
        const auto start = std::make_unique<OutcomeWeights>();
        WeighAll(samples, evidence.hits, start.get());
        for (int bit : aimed) AddCell(samples, bit, start.get());
        const auto weights = std::make_unique<OutcomeWeights>();
        double bestPromise = -1.0;
        for (double hitWorth : HitWorths) {
            *weights = *start;
            std::vector<int> salvo =
                BuildGreedy(samples, aimed, candidates, shots, hitWorth, draw, weights.get());
            const double promise = Promise(*weights, salvo, candidates, shots);
            if (best.empty() || promise > bestPromise + PromiseMargin) {
                bestPromise = promise;
                best.assign(salvo.begin() + static_cast<long>(aimed.size()), salvo.end());
            }
        }
        // Likely hits first: in the salvo that sinks the last ship, the shots behind the sinking
        // one are never fired in earnest.
        std::array<double, BitCount> chance{};
        for (const Sample& sample : samples) {
            for (int bit : best) {
                if (sample.cells.Has(bit)) chance[bit] += sample.weight;
            }
        }
        std::stable_sort(best.begin(), best.end(),
                         [&](int a, int b) { return chance[a] > chance[b]; });
    }
    std::vector<rules::Cell> cells;
    for (int bit : best) cells.push_back(rules::Cell{CellSet::X(bit), CellSet::Y(bit)});
    return cells;
}

bool SalvoPlan::Continues(const PlayerBoardView& view) const {
    if (handedOut >= count) return false;
    int aimed = 0;
    for (const auto& column : view.cells) {
        for (Seen seen : column) aimed += seen == Seen::Aimed ? 1 : 0;
    }
    if (aimed != handedOut) return false;
    for (int k = 0; k < handedOut; ++k) {
        if (view.cells[cells[k].x][cells[k].y] != Seen::Aimed) return false;
    }
    const rules::Cell next = cells[handedOut];
    return view.cells[next.x][next.y] == Seen::Unknown;
}

}  // namespace opponent

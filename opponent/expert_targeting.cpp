// opponent/expert_targeting.cpp: the Expert's slots handed out from the salvo it planned.
#include "opponent/expert_targeting.h"

#include <algorithm>
#include <vector>

#include "opponent/board_view.h"

namespace opponent {

std::optional<rules::Cell> ChooseExpertShot(const SeenBoard& seen, SalvoPlan& plan,
                                            const FleetMemory& fleets, rules::Random& random) {
    const PlayerBoardView view = ViewPlayerBoard(seen);
    if (!plan.Continues(view)) {
        int aimed = 0;
        for (const auto& column : view.cells)
            aimed += static_cast<int>(std::count(column.begin(), column.end(), Seen::Aimed));
        const int shots = std::max(1, seen.ComputerShipsAfloat() - aimed);
        const std::vector<rules::Cell> cells = PlanSalvo(
            view, shots, [&random](int n) { return random.Below(n); }, fleets);
        plan = SalvoPlan{};
        plan.count = static_cast<int>(cells.size());
        std::copy(cells.begin(), cells.end(), plan.cells.begin());
        if (plan.count == 0) return std::nullopt;
    }
    return plan.cells[plan.handedOut++];
}

}  // namespace opponent

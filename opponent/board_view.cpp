// opponent/board_view.cpp: the seen board's codes read as what the Expert knows of each cell.
#include "opponent/board_view.h"

namespace opponent {

PlayerBoardView ViewPlayerBoard(const SeenBoard& seen) {
    PlayerBoardView view;
    view.afloat.fill(true);
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
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
                if (shipId >= 1 && shipId <= rules::ShipsPerSide) {
                    view.afloat[shipId - 1] = false;
                    view.sunkIds[x][y] = static_cast<std::int8_t>(shipId);
                }
            }
        }
    }
    view.lengths = seen.Lengths();
    return view;
}

}  // namespace opponent

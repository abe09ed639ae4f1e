// tests/opponent/player_model_test.cpp: the model of how the player lays out a fleet: the style
// of the earlier fleets gains the most weight, and a fleet laid again is found at once.
#include "opponent/player_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "opponent/board_view.h"
#include "opponent/targeting.h"
#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

using opponent::Style;

opponent::FleetMemory Remember(const std::string& text) {
    opponent::FleetMemory memory;
    EXPECT_TRUE(opponent::ReadFleetMemory(text, &memory)) << text;
    return memory;
}

Style Likeliest(const opponent::FleetMemory& memory) {
    const rules::Game game = rules::NewGame(rules::Level::Expert);
    const opponent::PlayerModel model(memory, opponent::ViewPlayerBoard(opponent::SeenBoard(game)));
    const auto& shares = model.Shares();
    double sum = 0.0;
    for (double share : shares) sum += share;
    EXPECT_NEAR(sum, 1.0, 1e-9);
    return static_cast<Style>(std::max_element(shares.begin(), shares.end()) - shares.begin());
}

TEST(PlayerModel, WeighsMostTheStyleOfTheEarlierFleets) {
    const struct {
        const char* what;
        const char* fleets;
        Style expected;
    } cases[] = {
        {"nothing seen yet", "", opponent::Even},
        {"fleets laid anyhow",
         "5:8,0,v 4:3,0,v 3:7,10,h 3:8,5,h 2:1,9,h\n5:4,1,v 4:8,8,v 3:3,7,h 3:1,9,v 2:9,5,v\n"
         "5:1,7,v 4:5,10,h 3:5,0,h 3:2,6,h 2:0,4,v\n5:11,4,v 4:1,4,h 3:0,10,h 3:7,9,h 2:10,5,v\n",
         opponent::Even},
        {"every ship on the rim",
         "5:0,11,h 4:8,5,h 3:0,6,h 3:7,0,h 2:10,10,v\n5:7,8,h 4:0,6,h 3:9,9,v 3:0,0,v 2:3,0,v\n"
         "5:7,7,v 4:4,0,v 3:10,0,v 3:2,9,v 2:7,0,v\n5:0,1,v 4:11,0,v 3:9,4,h 3:4,0,h 2:1,0,h\n",
         opponent::AlongRim},
        {"ships side by side",
         "5:9,6,v 4:10,2,v 3:8,6,v 3:10,6,v 2:8,10,v\n5:5,8,h 4:1,6,h 3:3,9,v 3:4,7,v 2:3,7,v\n"
         "5:5,8,h 4:5,7,h 3:7,9,v 3:8,11,h 2:8,10,h\n5:0,10,h 4:1,11,h 3:5,8,v 3:0,7,v 2:1,9,h\n",
         opponent::Touching},
        {"ships kept apart",
         "5:0,0,v 4:5,0,h 3:4,3,v 3:6,2,v 2:1,9,v\n5:7,0,h 4:0,8,v 3:2,2,h 3:9,9,h 2:1,5,v\n"
         "5:4,6,h 4:7,0,v 3:9,9,h 3:0,0,h 2:0,10,h\n5:2,0,h 4:2,6,v 3:10,3,v 3:8,9,v 2:6,2,h\n",
         opponent::Spread},
        {"one fleet three times, the last game only two ships sunk",
         "5:8,0,v 4:3,0,v 3:7,10,h 3:8,5,h 2:1,9,h\n5:8,0,v 4:3,0,v 3:7,10,h 3:8,5,h 2:1,9,h\n"
         "4:3,0,v 2:1,9,h\n",
         opponent::Again},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Likeliest(Remember(c.fleets)), c.expected);
    }
}

// A player who lays the same fleet game after game: the opening salvo of the next game goes at the
// ships where they lay, with nothing of this game seen yet.
TEST(PlayerModel, AimsTheOpeningSalvoAtAFleetLaidAgain) {
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Random random(5);
    rules::PlaceFleetAtRandom(game, rules::Player, random);
    rules::Random enemyLayout(6);
    rules::StartBattle(game, enemyLayout);
    opponent::TargetingMemory memory;
    std::string fleet;
    for (const rules::ShipState& ship : game.fleets[rules::Player]) {
        fleet += std::to_string(ship.length) + ":" + std::to_string(ship.column) + "," +
                 std::to_string(ship.row) + (ship.vertical ? ",v " : ",h ");
    }
    memory.fleets = Remember(fleet + "\n" + fleet + "\n" + fleet + "\n");
    int hits = 0;
    for (int k = 0; k < rules::ShipsPerSide; ++k) {
        const std::optional<rules::Cell> cell = opponent::ChooseEnemyShot(
            opponent::SeenBoard(game), rules::Level::Expert, memory, random);
        ASSERT_TRUE(cell);
        std::int32_t& code = game.boards[rules::Player][cell->x][cell->y];
        hits += code != rules::Water ? 1 : 0;
        code += rules::AimedStage;
    }
    EXPECT_GE(hits, 4);
}

}  // namespace

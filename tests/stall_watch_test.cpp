// Four still ticks of a running movie are a stall; a hundredth's move or a pause starts again.
#include "player/stall_watch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(StallWatch, FourStillTicksOfARunningMovieAreAStall) {
    constexpr double kPaused = -1; // a tick while the movie does not run
    const struct {
        const char* what;
        std::vector<double> positions;
        std::string stalled; // per tick: S stalled, - not
    } cases[] = {
        {"playing", {0, 1, 2, 3, 4, 5, 6}, "-------"},
        {"half speed", {0, 0.5, 1, 1.5, 2, 2.5}, "------"},
        {"standing still", {3, 3, 3, 3, 3, 3}, "----SS"},
        {"still from the start", {0, 0, 0, 0, 0}, "----S"},
        {"moving again", {3, 3, 3, 3, 3, 4, 4}, "----S--"},
        {"less than a hundredth", {2, 2.005, 2.001, 2.009, 2}, "----S"},
        {"a fiftieth a tick", {2, 2.02, 2.04, 2.06, 2.08, 2.1}, "------"},
        {"three still ticks, a move", {1, 1, 1, 1, 2, 2, 2, 2}, "--------"},
        {"a pause between", {5, 5, 5, 5, kPaused, 5, 5, 5, 5}, "---------"},
        {"still across a pause", {5, 5, kPaused, 5, 5, 5, 5, 5}, "-------S"},
    };
    for (const auto& c : cases) {
        StallWatch watch;
        std::string seen;
        for (const double at : c.positions)
            seen += watch.tick(at < 0 ? 0 : at, at >= 0) ? 'S' : '-';
        EXPECT_EQ(seen, c.stalled) << c.what;
    }
    StallWatch watch;
    for (int i = 0; i < 4; ++i)
        watch.tick(7, true);
    watch.reset();
    EXPECT_FALSE(watch.tick(7, true)) << "a new movie starts the count again";
}

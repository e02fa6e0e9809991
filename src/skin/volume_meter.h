#pragma once
// Which picture-store slot (1..22) the volume meter shows for a level in
// hundredths of a decibel. Levels move in steps of 454, so the steps taken
// down from full level and those taken up from silence fall on two
// different grids; each direction has its own table.
#include <optional>

// After a step down (and for every level on the grid below 0): -454 k shows
// slot 23 - k, silence shows slot 1. Empty for a level off that grid.
std::optional<int> volumeMeterSlotAfterDown(int level);

// After a step up: the grid below 0 wins where it has an entry, then the
// grid counted up from -10000. Empty for a level on neither.
std::optional<int> volumeMeterSlotAfterUp(int level);

// The slot whose level on the grid below 0 lies nearest; for any level.
int nearestVolumeMeterSlot(int level);

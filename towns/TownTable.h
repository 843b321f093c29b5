// The valley's fixed geography: the 21 towns and the five start points, each anchored to a terrain grid
// point. World initialisation places them; the asset generator shapes the relief around them.
#pragma once

#include <array>

struct GridPlacement {
    int column = 0;
    int row = 0;
    // Offsets added to the grid point's x, y and z (in double precision).
    double dx = 0.0;
    double dy = 0.0;
    double dz = 0.0;
};

struct TownEntry {
    const char* name;
    int inhabitants;
    GridPlacement placement;
};

inline constexpr std::array<TownEntry, 21> kTownTable{{
    {"Karlsruhe", 10, {415, 260, 0.0, 0.5, 0.0}},       {"Koeln", 20, {365, 273, 0.0, 1.3, 0.0}},
    {"Duisburg", 15, {294, 320, 0.0, 1.3, 0.0}},        {"Bonn", 10, {282, 384, 0.0, 1.3, 0.0}},
    {"Leipzig", 25, {265, 431, 0.0, 2.7, 0.0}},         {"Augsburg", 10, {254, 493, 0.0, 1.2, 0.0}},
    {"Dortmund", 15, {192, 432, 0.0, 1.2, 0.0}},        {"Bremen", 35, {153, 445, 0.0, -1.3, 0.0}},
    {"Friedrichshafen", 30, {107, 353, 0.0, 1.0, 0.0}}, {"Rosenheim", 10, {30, 295, 0.0, 1.0, 0.0}},
    {"Frankfurt", 25, {446, 224, 0.0, 1.0, 0.0}},       {"Bayreuth", 20, {524, 213, 0.0, 1.0, 0.0}},
    {"Rostock", 15, {535, 115, 0.0, 1.0, 0.0}},         {"Dinkelsbuehl", 10, {613, 192, 0.0, 1.0, 0.0}},
    {"Stuttgart", 20, {604, 266, 0.0, 1.0, 0.0}},       {"Nuernberg", 20, {685, 309, -180.0, -48.0, 0.0}},
    {"Dresden", 20, {530, 287, 0.0, 1.5, 0.0}},         {"Kassel", 15, {838, 167, 0.0, 1.5, 0.0}},
    {"Leverkusen", 25, {829, 235, 0.0, 2.0, 0.0}},      {"Ulm", 20, {827, 336, 0.0, 3.0, 0.0}},
    {"Hamburg", 20, {868, 91, 0.0, 0.5, 0.0}},
}};

inline constexpr std::array<GridPlacement, 5> kStartPoints{{
    {104, 350, 0.0, 4.0, 0.0},
    {268, 436, 0.0, 4.0, 0.0},
    {298, 323, 0.0, 6.0, 0.0},
    {412, 262, 25.0, 4.0, 0.0},
    {538, 191, -10.0, 6.0, -10.0},
}};

// Where the restart key puts the submarine: open water, away from every town.
inline constexpr double kRestartPosition[3] = {200.0, -50.0, -50.0};

// The helm's keys as rules: thrust along the view, the arrow keys' turns, and which command a key asks
// the shell for. Nothing here draws, prints or quits; the GLUT callbacks do that with the answer.
#pragma once

#include <vector>

class Stadt;
struct GameState;
struct TerrainGrid;

// What a key asks of the shell after its rule has changed the record.
enum class KeyCommand { None, Quit, Redraw, PrintScore, Restart };

// Applies one keyboard event (lower-case codes only; everything else does nothing) and says what the shell
// must do beyond it.
KeyCommand pressKey(GameState& state, const std::vector<Stadt>& towns, const TerrainGrid& terrainGrid,
                    unsigned char key);

// Arrow keys, by GLUT's special-key codes; other codes do nothing.
inline constexpr int kArrowLeft = 100;
inline constexpr int kArrowUp = 101;
inline constexpr int kArrowRight = 102;
inline constexpr int kArrowDown = 103;
void pressArrow(GameState& state, int key);

// Whether the submarine is over the terrain grid and higher than the ground under it; the horizontal
// thrust keys work only then.
bool isAboveTerrain(const GameState& state, const TerrainGrid& terrainGrid);

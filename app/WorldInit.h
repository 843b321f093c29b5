// Preparing a game: the valley floor, light, fog, textures, the towns, and the submarine's start point;
// and the shell's end when there is no valley to play in.
#pragma once

#include <optional>
#include <string>

struct Game;

// Builds the world and resets the per-game fields of the game; needs the game window's GL context. The
// answer is the line saying why the valley cannot be built, if it cannot.
[[nodiscard]] std::optional<std::string> initWorld(Game& game);

// A new game after a lost one: the world again, the restart's own values, and every stopped timer armed.
[[nodiscard]] std::optional<std::string> restartGame(Game& game);

// Ends the program with status 1 after the line saying why the world cannot be built, on stderr behind
// everything printed so far.
[[noreturn]] void stopForUnbuiltWorld(const std::string& problem);

// Keeps the program's game record as a test found it: tests that drive the real callbacks or the frame
// change the global game, and the next test must not inherit that.
#pragma once

#include "app/Game.h"

class SavedGame {
public:
    SavedGame() : saved_(game) {}
    ~SavedGame() { static_cast<GameState&>(game) = std::move(saved_); }
    SavedGame(const SavedGame&) = delete;
    SavedGame& operator=(const SavedGame&) = delete;

private:
    GameState saved_;
};

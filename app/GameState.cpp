#include "app/GameState.h"

GameState& game = *new GameState();

#include "app/Game.h"

Game& game = *new Game();

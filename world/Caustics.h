// The caustic light patterns projected onto the whole scene through texture unit 1.
#pragma once

// Timer callback: the next caustic frame every 50 ms.
void causticTimer(int value);

// Rescue: tracking the nearest town and beaming its inhabitants aboard.
#pragma once

// Timer callback: SOS animation and nearest-town search.
void townTimer(int value);
// Timer callback: one beaming step.
void beamTimer(int value);

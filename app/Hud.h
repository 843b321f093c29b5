// The overlay over the 3D frame: the texts that rules keep on screen (the HUD's instruments and the end
// screen come with the helm), then the perspective for the next frame and the buffer swap.
#pragma once

// Draws the overlay over the frame renderScene has just drawn and swaps the buffers; leaves the 45 degree
// perspective in force for the next frame.
void display();

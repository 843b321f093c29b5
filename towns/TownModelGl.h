// What a town looks like on the GL side: the model of blocks, cones and domes compiled per town, and the
// spinning SOS sign over a town that still has inhabitants.
#pragma once

#include <vector>

class Stadt;

// Compiles the town model into the display list `list`.
void buildTownModel(unsigned int list);

// Gives every town its own compiled model.
void compileTownModels(std::vector<Stadt>& towns);

// Deletes the models of towns that are about to be replaced.
void releaseTownModels(const std::vector<Stadt>& towns);

// Draws one town and, while it has inhabitants, its sign with the SOS texture already bound; the sign
// turns 2 degrees per drawing.
void drawTown(Stadt& town);

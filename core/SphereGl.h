// Spheres as glut draws them: of a fixed size from a display list built on their first drawing, or many
// small ones in one draw.
#pragma once

// What glutSolidSphere draws, the same vertices and normals, for sizes drawn every frame: glut builds
// the vertices anew on each call and sends every stack as its own draw, which llvmpipe charges per call.
void drawSolidSphere(double radius, int slices, int stacks);

#include <vector>

struct SphereVertex {
    float position[3];
    float normal[3];
};

// The points and normals glutSolidSphere gives these arguments, as a list of triangles, so that many
// small spheres can be sent in one draw.
std::vector<SphereVertex> sphereTriangles(float radius, int slices, int stacks);

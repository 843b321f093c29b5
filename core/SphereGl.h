// Spheres with the points, normals and triangles glutSolidSphere gives them, made once and drawn indexed
// in one draw: glut builds them anew on every call and sends each stack as a draw of its own.
#pragma once

#include <vector>

struct SphereVertex {
    float position[3];
    float normal[3];
};

struct SphereMesh {
    std::vector<SphereVertex> vertices;    // glut's order: the top, ring after ring, the bottom
    std::vector<unsigned short> triangles; // three indices each, in the order and turn of glut's strips
};

SphereMesh sphereMesh(float radius, int slices, int stacks);

// What glutSolidSphere would draw for the mesh's arguments.
void drawSphereMesh(const SphereMesh& mesh);

#include "core/SphereGl.h"

#include "core/Gl.h"

#include <vector>

namespace {

struct SphereList {
    double radius;
    int slices, stacks;
    GLuint list;
};

// A blast grows through a few dozen sizes; anything beyond is drawn directly rather than kept.
constexpr size_t kMaxSphereLists = 128;

} // namespace

void drawSolidSphere(double radius, int slices, int stacks) {
    // Lists belong to the one GL context the program opens.
    static std::vector<SphereList> lists;
    for (const SphereList& sphere : lists)
        if (sphere.radius == radius && sphere.slices == slices && sphere.stacks == stacks) {
            glCallList(sphere.list);
            return;
        }
    const GLuint list = lists.size() < kMaxSphereLists ? glGenLists(1) : 0;
    if (list == 0) {
        glutSolidSphere(radius, slices, stacks);
        return;
    }
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    glutSolidSphere(radius, slices, stacks);
    glEndList();
    lists.push_back({radius, slices, stacks, list});
}

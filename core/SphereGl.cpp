#include "core/SphereGl.h"

#include "core/Gl.h"

#include <algorithm>
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
    // glut's arrays leave the current normal alone, a list leaves its last one behind: quads drawn next
    // without a normal of their own, such as the trails, would be lit by it.
    GLfloat normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    const auto found = std::find_if(lists.begin(), lists.end(), [&](const SphereList& sphere) {
        return sphere.radius == radius && sphere.slices == slices && sphere.stacks == stacks;
    });
    if (found != lists.end()) {
        glCallList(found->list);
    } else if (const GLuint list = lists.size() < kMaxSphereLists ? glGenLists(1) : 0; list != 0) {
        glNewList(list, GL_COMPILE_AND_EXECUTE);
        glutSolidSphere(radius, slices, stacks);
        glEndList();
        lists.push_back({radius, slices, stacks, list});
    } else {
        glutSolidSphere(radius, slices, stacks);
    }
    glNormal3fv(normal);
}

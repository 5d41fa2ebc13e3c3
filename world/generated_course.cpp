#include "world/generated_course.h"

#include <cstdint>

namespace {

// A small generator of our own: the same numbers on every platform.
struct Draws {
    uint32_t state;

    uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    // Uniform in [low, high).
    float between(float low, float high) { return low + (high - low) * float(next() % 65536u) / 65536.0f; }
    int below(int n) { return int(next() % uint32_t(n)); }
};

constexpr float reach = 150.0f;  // blocks lie within this of the start across

Block randomBlock(Draws& d)
{
    Block b{};
    b.shape = d.below(4) == 0 ? Shape::Cylinder : Shape::Box;
    // Cylinders come in a few widths, as each width is a mesh of its own.
    const float side = b.shape == Shape::Cylinder ? float(2 + d.below(7)) : d.between(1.0f, 12.0f);
    b.size = b.shape == Shape::Cylinder ? Vec3{side, d.between(0.5f, 8.0f), side}
                                        : Vec3{side, d.between(0.3f, 8.0f), d.between(1.0f, 12.0f)};
    b.basePosition = {d.between(-reach, reach), d.between(-20.0f, 60.0f), d.between(-reach, reach)};
    const int material = d.below(4);
    b.material = material == 0 ? Material::Glass : material == 1 ? Material::Wood : Material::Metal;
    b.opacity = b.material == Material::Glass ? 0.4f : 1.0f;
    b.grain = d.below(6);
    b.spin = b.shape == Shape::Cylinder ? d.between(0.0f, 360.0f) : 0.0f;
    b.flipTexture = d.below(2) == 0;
    b.startAtBase = d.below(2) == 0;
    if (d.below(5) == 0) {
        // A fifth of them move, along one axis, as on the built-in course.
        const int axis = d.below(3);
        const float length = d.between(2.0f, 20.0f);
        const float speed = d.between(0.5f, 6.0f);
        b.travel[axis] = length;
        b.velocity[axis] = b.startAtBase ? speed : -speed;
    }
    return b;
}

}  // namespace

Course generatedCourse(unsigned int seed, CourseSize size)
{
    Draws d{seed * 2654435761u + 1u};
    Course course;
    Block floor{};
    floor.opacity = 1.0f;
    floor.size = {20.0f, 1.0f, 20.0f};
    floor.basePosition = {course.start.x - 10.0f, course.start.y - 1.0f, course.start.z - 10.0f};
    floor.startAtBase = true;
    floor.material = Material::Wood;
    course.blocks.push_back(floor);
    for (int i = 1; i < size.blocks; ++i) course.blocks.push_back(randomBlock(d));
    const auto somewhere = [&d] {
        return Vec3{d.between(-reach, reach), d.between(0.0f, 60.0f), d.between(-reach, reach)};
    };
    for (int i = 0; i < size.sizeOrbs; ++i) addSizeOrb(course, somewhere(), d.below(3));
    for (int i = 0; i < size.checkpoints; ++i) addCheckpoint(course, somewhere(), d.below(3));
    course.goalPosition = {reach + 20.0f, 30.0f, reach + 20.0f};
    return course;
}

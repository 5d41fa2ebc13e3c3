#pragma once
// The level's objects: blocks, size orbs, checkpoints and the goal, and the
// builder state that blocks are stamped from.

#include <vector>

#include "world/vec3.h"

struct Block {
    float opacity;          // alpha of the drawn colour: 1 solid, 0.4 glass
    Vec3 size;              // extent; the box spans position .. position + size
    Vec3 basePosition;      // minimum corner at the near end of the travel
    Vec3 travel;            // length of travel per axis, zero for a static block
    Vec3 velocity;          // units per second; the sign flips at each end
    Vec3 position;          // current minimum corner
    float stepTimer;        // seconds left to the next 0.005 s motion step
    unsigned int texture;   // GL texture name; also picks the landing sound
    int shape;              // 1: upright cylinder inside the box, else a box
    float spin;             // degrees about the vertical axis (cylinders only)
    bool flipTexture;       // mirror the texture on the faces of a box
};

struct SizeOrb {
    Vec3 position;          // centre of the sphere (radius 0.75)
    int sizeKind;           // 0 small, 1 normal, 2 large
    float alpha;            // drifts between 0.1 and 0.9
    bool alphaRising;
    float stepTimer;
};

// Starts with the same five fields as SizeOrb; sizeKind is the radius a
// respawn at this checkpoint restores.
struct Checkpoint {
    Vec3 position;
    int sizeKind;
    float alpha;
    bool alphaRising;
    float stepTimer;
    Vec3 colour;            // yellow while live, magenta once taken
};

struct BuilderState {
    Vec3 cursor{0.0f, 0.0f, 0.0f};
    Vec3 size{1.0f, 1.0f, 1.0f};
    float opacity = 1.0f;
    Vec3 travel{0.0f, 0.0f, 0.0f};
    Vec3 velocity{0.0f, 0.0f, 0.0f};
    bool startAtBase = true;
    unsigned int texture = 0;
    int shape = 0;
    bool flipTexture = false;
};

extern std::vector<Block*> blocks;
extern std::vector<SizeOrb*> sizeOrbs;
extern std::vector<Checkpoint*> checkpoints;
extern Vec3 goalPosition;

extern BuilderState builderState;
// One saved copy at most; its flipTexture is never restored.
extern BuilderState* savedBuilderState;

void stampBlock();
void saveBuilderState();
void restoreBuilderState();
void clearMotion();
void addSizeOrb(Vec3 point, int kind);
void addCheckpoint(Vec3 point, int kind);

// Empties the lists and resets the builder and the goal to their load-time
// values. The game never calls it; tests build the level more than once.
void resetWorld();

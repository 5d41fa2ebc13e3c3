#pragma once
// One piece of a frame at a time, under whatever projection and model-view
// a test has put on GL's stacks, drawn by the classic renderer: the
// pictures of single blocks, balls, items and signs the drawing tests check.

#include <string>
#include <vector>

#include "render/frame.h"
#include "render/graphics.h"

void drawBlock(const Block& block, bool topOnly, const Graphics& graphics);
void drawBall(const Ball& ball, const Graphics& graphics);
void drawSizeOrb(const SizeOrb& orb, float alpha, const Graphics& graphics);
void drawCheckpoint(const Checkpoint& checkpoint, const CheckpointState& state, const Graphics& graphics);
void drawSeeThroughItems(const Course& course, const CourseState& state, const Graphics& graphics);
void drawGoal(const Vec3& position, float angle, const Graphics& graphics);
void drawBallShadow(const Ball& ball, const std::vector<Block>& blocks, const Graphics& graphics);
void drawSkyBox(const Camera& camera, const Graphics& graphics);
void drawDisc(float radius, const Graphics& graphics);
// Whole frames, cleared first, at the viewport's size.
void drawScene(const Game& game, const Graphics& graphics);
void drawEndScreen(const Graphics& graphics);
void drawOverlay(const std::vector<std::string>& lines, OverlayPlace place, const Graphics& graphics);
// A mesh under the current matrices, colour and texture, as it is.
void drawMeshHere(const Mesh& mesh, const Graphics& graphics);

#pragma once
// Small text over the picture: the pause sign, the timer, the run's time on
// the end screen. Drawn only when one of them is asked for, so the game's
// own pictures stay as they are.

#include <string>
#include <vector>

#include "assets/shader_program.h"

// Above the centre: the ball sits at the centre of the chase view.
enum class OverlayPlace { TopLeft, AboveCentre };

// White lines on a dark band, in window pixels, drawn without the shader;
// leaves the GL state (and the shader) as the scene and the end picture
// expect it.
void drawOverlay(const std::vector<std::string>& lines, OverlayPlace place, const ShaderProgram& shader);

#pragma once

// Runs one object's fixed steps for one tick: a budget of 0.025 s of game
// time in steps of 0.005 s, carrying the remainder in stepTimer. All of it
// in single precision, as the game's timing depends on the float rounding.
template <typename Step>
void runFixedSteps(float& stepTimer, Step step)
{
    const float stepLength = 0.005f;
    float budget = 0.025f;
    for (;;) {
        if (stepTimer >= budget) {
            stepTimer = stepTimer - budget;
            return;
        }
        budget = budget - stepTimer;
        step();
        stepTimer = stepLength;
        if (budget <= 0.0f) {
            return;
        }
    }
}

// One tick of game time (0.025 s) over every object. Returns false, having
// done nothing, once the game is on the end screen.
bool advanceTick();

// GLUT callbacks.
void onTimer(int value);
void onDisplay();
void onReshape(int width, int height);

// Size of the game window as last reshaped (1280 x 1024 in game mode).
extern int windowWidth;
extern int windowHeight;

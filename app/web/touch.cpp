#include "app/web/touch.h"

#include <cmath>

#include "app/input/key_codes.h"

namespace {

TouchCall of(TouchCall::Kind kind)
{
    TouchCall call;
    call.kind = kind;
    return call;
}

constexpr struct {
    int bit;
    int code;
} arrows[] = {{stickUp, keyUp}, {stickDown, keyDown}, {stickLeft, keyLeft}, {stickRight, keyRight}};

// The stick's arrows as they change: releases first, so the ball never
// sees both ways held at once.
void changeKeys(TouchControls& c, int now, std::vector<TouchCall>& calls)
{
    for (bool down : {false, true})
        for (const auto& arrow : arrows) {
            const bool was = c.stickKeys & arrow.bit, is = now & arrow.bit;
            if (was != is && is == down) {
                TouchCall call = of(TouchCall::Key);
                call.key = {true, arrow.code};
                call.down = down;
                calls.push_back(call);
            }
        }
    c.stickKeys = now;
}

// The look drag's move since the last one taken, in whole pixels; what is
// left over waits for the next move, so a slow drag turns the view too.
void look(TouchControls& c, float x, float y, std::vector<TouchCall>& calls)
{
    const int dx = int(std::lround(x - c.lookX)), dy = int(std::lround(y - c.lookY));
    if (dx == 0 && dy == 0) return;
    c.lookX += float(dx);
    c.lookY += float(dy);
    TouchCall call = of(TouchCall::Look);
    call.x = dx;
    call.y = dy;
    calls.push_back(call);
}

TouchCall at(TouchCall::Kind kind, float x, float y)
{
    TouchCall call = of(kind);
    call.x = int(std::lround(x));
    call.y = int(std::lround(y));
    return call;
}

}  // namespace

int stickKeysOf(float dx, float dy)
{
    if (dx * dx + dy * dy < stickDeadZone * stickDeadZone) return 0;
    // Eight sectors of 45 degrees, centred on the four arrows and between
    // them, counted anticlockwise from the right.
    constexpr double pi = 3.14159265358979323846;
    const int sector = (int(std::lround(std::atan2(-double(dy), double(dx)) / (pi / 4))) + 8) % 8;
    constexpr int keys[8] = {stickRight, stickRight | stickUp, stickUp, stickUp | stickLeft,
                             stickLeft, stickLeft | stickDown, stickDown, stickDown | stickRight};
    return keys[sector];
}

std::vector<TouchCall> touchStart(TouchControls& c, int id, float x, float y, bool menuOpen, bool mouseLookOn)
{
    std::vector<TouchCall> calls;
    if (menuOpen) {
        if (c.tapId < 0) {
            c.tapId = id;
            calls.push_back(at(TouchCall::Hover, x, y));
        }
        return calls;
    }
    if (x < c.width / 2) {
        if (c.stickId >= 0) return calls;
        // The stick is where the thumb lands, and stays there while held.
        c.stickId = id;
        c.stickX = c.thumbX = x;
        c.stickY = c.thumbY = y;
        return calls;
    }
    if (c.lookId >= 0) return calls;
    c.lookId = id;
    c.lookX = x;
    c.lookY = y;
    if (!mouseLookOn) calls.push_back(of(TouchCall::LookOn));
    return calls;
}

std::vector<TouchCall> touchMove(TouchControls& c, int id, float x, float y)
{
    std::vector<TouchCall> calls;
    if (id == c.stickId) {
        c.thumbX = x;
        c.thumbY = y;
        changeKeys(c, stickKeysOf(x - c.stickX, y - c.stickY), calls);
    } else if (id == c.lookId) {
        look(c, x, y, calls);
    } else if (id == c.tapId) {
        calls.push_back(at(TouchCall::Hover, x, y));
    }
    return calls;
}

std::vector<TouchCall> touchEnd(TouchControls& c, int id, float x, float y)
{
    std::vector<TouchCall> calls;
    if (id == c.stickId) {
        changeKeys(c, 0, calls);
        c.stickId = -1;
    } else if (id == c.lookId) {
        look(c, x, y, calls);
        c.lookId = -1;
    } else if (id == c.tapId) {
        calls.push_back(at(TouchCall::Tap, x, y));
        c.tapId = -1;
    }
    return calls;
}

StickPicture stickPicture(const TouchControls& c)
{
    return {c.stickId >= 0, c.stickX, c.stickY, c.thumbX, c.thumbY};
}

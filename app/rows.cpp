#include "app/rows.h"

#include <cstdio>

const char* const rowHeader =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr";

std::string formatRow(long long tickNumber, const Game& g)
{
    const Ball& b = g.ball;
    const Camera& c = g.camera;
    char row[512];
    std::snprintf(row, sizeof row,
                  "%lld,%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%d,%.9g,%.9g,%d,%.9g,%.9g,%.9g,%.9g\n",
                  tickNumber, static_cast<int>(g.gameState), b.position.x, b.position.y,
                  b.position.z, b.velocity.x, b.velocity.y, b.velocity.z, b.radius, g.airborne ? 1 : 0,
                  c.cameraYaw, c.cameraPitch, static_cast<int>(c.viewQuadrant), g.checkpointPosition.x,
                  g.checkpointPosition.y, g.checkpointPosition.z, g.checkpointRadius);
    return row;
}

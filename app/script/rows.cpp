#include "app/script/rows.h"

#include <cstdio>

const char* const rowHeader =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr";
const char* const ghostRowHeader =
    "tick,state,px,py,pz,vx,vy,vz,radius,airborne,yaw,pitch,quadrant,cpx,cpy,cpz,cpr,"
    "gstate,gpx,gpy,gpz,gvx,gvy,gvz,gradius,gairborne,gyaw,gpitch,gquadrant,gcpx,gcpy,gcpz,gcpr";

namespace {

// A row's fields after the tick number, with a line end.
std::string formatFields(const Game& g)
{
    const Ball& b = g.ball;
    const Camera& c = g.camera;
    char row[512];
    std::snprintf(row, sizeof row, "%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%d,%.9g,%.9g,%d,%.9g,%.9g,%.9g,%.9g\n",
                  static_cast<int>(g.gameState), b.position.x, b.position.y, b.position.z, b.velocity.x,
                  b.velocity.y, b.velocity.z, b.radius, g.airborne ? 1 : 0, c.cameraYaw, c.cameraPitch,
                  static_cast<int>(c.viewQuadrant), g.checkpointPosition.x, g.checkpointPosition.y,
                  g.checkpointPosition.z, g.checkpointRadius);
    return row;
}

}  // namespace

std::string formatRow(long long tickNumber, const Game& g)
{
    return std::to_string(tickNumber) + "," + formatFields(g);
}

std::string formatGhostColumns(const Game* ghost)
{
    if (!ghost) return ",,,,,,,,,,,,,,,,";
    std::string fields = formatFields(*ghost);
    fields.pop_back();
    return "," + fields;
}

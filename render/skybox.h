#pragma once

void drawSkyBox();

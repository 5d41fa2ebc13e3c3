#pragma once

// The end picture over the whole screen, ending with a buffer swap.
void drawEndScreen();

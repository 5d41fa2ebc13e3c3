#pragma once

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed. Started
// with stderr closed, the next file or X connection would become descriptor 2
// and every diagnostic would be written into it; call this before anything
// else opens one.
void openClosedStandardDescriptors();

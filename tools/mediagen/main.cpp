#include "tools/mediagen/media.h"

int main(int argc, char** argv) { return runMediagen(argc, argv); }

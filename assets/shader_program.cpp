// TODO(stub)
#include "assets/shader_program.h"
char* readTextFile(const char*) { return nullptr; }
bool initShaderProgram() { return false; }
bool shaderProgramActive = false;

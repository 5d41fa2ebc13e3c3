#pragma once
// The Phong shader pair, built from its two source files.

// The whole file plus a terminating zero, on the heap; null if it cannot be
// opened.
char* readTextFile(const char* path);

// A built program and the call that switches it on and off. No program
// (program 0) means the fixed-function pipeline draws.
struct ShaderProgram {
    unsigned int program = 0;
    void (*use)(unsigned int program) = nullptr;
    bool active = false;  // the program is current
};

// Builds "shaders/phong.vs" and "shaders/phong.fs" into a program and makes
// it current. On any failure the fixed-function pipeline stays in use and
// one line on stderr says why.
ShaderProgram initShaderProgram();

// The same from any pair of files.
ShaderProgram initShaderProgramFrom(const char* vertexPath, const char* fragmentPath);

// Switches between the built program and the fixed-function pipeline, so
// both paths can be drawn and compared. Does nothing without a program.
void useShaderProgram(ShaderProgram& shader, bool on);

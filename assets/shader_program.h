#pragma once

// The whole file plus a terminating zero, on the heap; null if it cannot be
// opened.
char* readTextFile(const char* path);

// Builds "shaders/phong.vs" and "shaders/phong.fs" into a program and makes
// it current. On any failure the fixed-function pipeline stays in use and
// one line on stderr says why; returns whether the program is current.
bool initShaderProgram();

// The same from any pair of files.
bool initShaderProgramFrom(const char* vertexPath, const char* fragmentPath);

// Switches between the built program and the fixed-function pipeline, so
// both paths can be drawn and compared. Does nothing without a program.
void useShaderProgram(bool on);

// True once the program is current.
extern bool shaderProgramActive;

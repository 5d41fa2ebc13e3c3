#include "assets/shader_program.h"

#include <cstdio>
#include <cstdlib>

// Apart from the shader pair's GL, so that the browser build, whose GL is
// WebGL, reads its shader files with it too.
char* readTextFile(const char* path)
{
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) return nullptr;
    size_t count = 0;
    while (std::fgetc(file) != EOF) ++count;
    std::rewind(file);
    char* text = static_cast<char*>(std::malloc(count + 1));
    if (text == nullptr) {
        std::fclose(file);
        return nullptr;
    }
    const size_t got = std::fread(text, 1, count, file);
    text[got] = '\0';
    std::fclose(file);
    return text;
}

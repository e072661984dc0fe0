// vx-linegen [--seed N] [--count N] [--no-controls]: generated schedule lines
// on standard output, one a line, ended by CR LF as schedule files are.

#include "line_generator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    vx::linegen::Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--count") == 0 && hasValue) {
            options.count = std::strtoull(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--no-controls") == 0) {
            options.controls = false;
        } else {
            std::fprintf(stderr, "usage: vx-linegen [--seed N] [--count N] [--no-controls]\n");
            return 2;
        }
    }
    std::string out;
    for (const std::string& line : vx::linegen::GenerateLines(options)) {
        out += line;
        out += "\r\n";
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 2;
}

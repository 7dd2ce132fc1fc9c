// Writes the demo database that the README's run command opens.

#include <cstdio>

#include "tools/fixtures/DemoDatabase.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pagewright-demo-writer OUTPUT.mdf\n");
        return 2;
    }
    if (!pw::fixtures::writeDemoDatabase(argv[1])) {
        std::fprintf(stderr, "pagewright-demo-writer: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

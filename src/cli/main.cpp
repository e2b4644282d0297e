// varnokit-cli: solves problem files from the command line.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::fprintf(stderr, "usage: varnokit-cli solve FILE\n");
        return 2;
    }
    std::fprintf(stderr, "varnokit-cli: not built yet\n");
    return 2;
}

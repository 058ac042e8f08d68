// kotou-assets: writes the game's pictures, sounds and music into cg/ and dat/
// of the given folder (the folder of the game's executable).

#include <exception>
#include <iostream>

#include "tools/assets/Generator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kotou-assets <output folder>\n";
        return 2;
    }
    try {
        kotou::assets::generateAssets(argv[1], &std::cout);
    } catch (const std::exception& e) {
        std::cerr << "kotou-assets: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

// kotou-assets: writes the game's pictures, sounds and music into cg/ and dat/
// of the given folder (the folder of the game's executable), and with
// --icons the desktop icon, under the given name, into a hicolor icon theme
// folder; with --contact-sheet FILE it draws every picture with its name on
// one sheet.

#include <exception>
#include <iostream>
#include <string>

#include "tools/assets/ContactSheet.h"
#include "tools/assets/Generator.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--contact-sheet") {
        try {
            kotou::assets::writeContactSheet(argv[2]);
        } catch (const std::exception& e) {
            std::cerr << "kotou-assets: " << e.what() << "\n";
            return 1;
        }
        return 0;
    }
    const bool icons = argc == 5 && std::string(argv[2]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "usage: kotou-assets <output folder> [--icons <hicolor folder> <icon name>]\n"
                     "       kotou-assets --contact-sheet <file.png>\n";
        return 2;
    }
    try {
        kotou::assets::generateAssets(argv[1], &std::cout);
        if (icons) kotou::assets::generateIcons(argv[3], argv[4], &std::cout);
    } catch (const std::exception& e) {
        std::cerr << "kotou-assets: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

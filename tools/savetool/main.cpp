#include <iostream>
#include <string>
#include <vector>

#include "tools/savetool/SaveTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kotou::savetool::run(args, std::cout, std::cerr);
}

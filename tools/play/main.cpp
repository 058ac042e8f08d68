#include <iostream>
#include <string>
#include <vector>

#include "tools/play/Scenario.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kotou::play::run(args, std::cout, std::cerr);
}

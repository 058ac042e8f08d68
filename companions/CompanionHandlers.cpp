#include "companions/CompanionHandlers.h"

namespace kotou {

namespace companions {

std::string dotLine(int n) {
    std::string line;
    for (int i = 0; i < n; ++i) line += "・";
    return line;
}

}  // namespace companions

void registerCompanionHandlers(HandlerRegistry& r) {
    registerCommunicationHandlers(r);
    registerNursingHandlers(r);
    registerStudyHandlers(r);
    registerSongHandlers(r);
}

}  // namespace kotou

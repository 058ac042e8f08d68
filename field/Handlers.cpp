#include "field/Handlers.h"

#include "field/Exploration.h"

namespace kotou {

void registerFieldHandlers(HandlerRegistry& r) {
    r.add("hayasi_b", hayasi_bClick);
}

}  // namespace kotou

#include "combat/Handlers.h"

#include "combat/Battle.h"

namespace kotou {

void registerCombatHandlers(HandlerRegistry& r) {
    r.add("BitBtn9", BitBtn9Click);
    r.add("magic_b", magic_bClick);
    r.add("kaifuku_b", kaifuku_bClick);
    r.add("lazer_b", lazer_bClick);
    r.add("toubou_b", toubou_bClick);
}

}  // namespace kotou

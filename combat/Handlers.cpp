#include "combat/Handlers.h"

#include "combat/Battle.h"
#include "combat/Colosseum.h"
#include "combat/Training.h"

namespace kotou {

void registerCombatHandlers(HandlerRegistry& r) {
    r.add("BitBtn9", BitBtn9Click);
    r.add("magic_b", magic_bClick);
    r.add("kaifuku_b", kaifuku_bClick);
    r.add("lazer_b", lazer_bClick);
    r.add("toubou_b", toubou_bClick);
    registerTrainingHandlers(r);
    registerColosseumHandlers(r);
}

}  // namespace kotou

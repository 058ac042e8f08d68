#include "app/GameHandlers.h"

#include "combat/Handlers.h"
#include "daycycle/Handlers.h"
#include "ending/Handlers.h"
#include "field/Handlers.h"
#include "production/Handlers.h"
#include "shell/Screens.h"
#include "story/CompanionHandlers.h"
#include "story/Story.h"

namespace kotou {

void registerGameHandlers(HandlerRegistry& r) {
    // The shell first: it also registers the click that ends a wait under
    // every component that carries it.
    registerShellHandlers(r);
    registerDaycycleHandlers(r);
    registerFieldHandlers(r);
    registerCombatHandlers(r);
    registerProductionHandlers(r);
    registerStoryHandlers(r);
    registerCompanionHandlers(r);
    registerEndingHandlers(r);
}

}  // namespace kotou

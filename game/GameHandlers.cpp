#include "game/GameHandlers.h"

#include "combat/Battle.h"
#include "combat/Colosseum.h"
#include "combat/Training.h"
#include "companions/CompanionHandlers.h"
#include "daycycle/Conditions.h"
#include "daycycle/ItemUse.h"
#include "daycycle/LevelUp.h"
#include "daycycle/Night.h"
#include "ending/Ending.h"
#include "ending/EscapePlan.h"
#include "field/Exploration.h"
#include "field/Radio.h"
#include "field/Stranded.h"
#include "production/Craft.h"
#include "production/Meals.h"
#include "production/Recipes.h"
#include "production/Trader.h"
#include "shell/Screens.h"

namespace kotou {

void registerGameHandlers(HandlerRegistry& r) {
    for (void (*add)(HandlerRegistry&) : {
             registerShellHandlers,
             registerNightHandlers,
             registerConditionHandlers,
             registerLevelUpHandlers,
             registerItemUseHandlers,
             registerExplorationHandlers,
             registerStrandedHandlers,
             registerRadioHandlers,
             registerBattleHandlers,
             registerTrainingHandlers,
             registerColosseumHandlers,
             registerMealHandlers,
             registerRecipeHandlers,
             registerTraderHandlers,
             registerCraftHandlers,
             registerChoiceHandlers,
             registerCompanionHandlers,
             registerEscapeHandlers,
         })
        add(r);
}

}  // namespace kotou

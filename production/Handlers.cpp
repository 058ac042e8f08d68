#include "production/Handlers.h"

#include "production/Craft.h"
#include "production/Meals.h"
#include "production/Recipes.h"
#include "production/Trader.h"

namespace kotou {

void registerProductionHandlers(HandlerRegistry& r) {
    r.add("BitBtn6", BitBtn6Click);
    r.add("hinomi_b", hinomi_bClick);
    r.add("ringo_b", ringo_bClick);
    r.add("fusimi_b", fusimi_bClick);
    r.add("kurokimi_b", kurokimi_bClick);
    r.add("nanatumi_b", nanatumi_bClick);
    r.add("kyuui_b", kyuui_bClick);
    r.add("water_b", water_bClick);
    // Cooking recipes and the trader.
    registerRecipeHandlers(r);
    registerTraderHandlers(r);
    // Crafting: the craft menu's openers and every row of the craft tables.
    registerCraftHandlers(r);
}

}  // namespace kotou

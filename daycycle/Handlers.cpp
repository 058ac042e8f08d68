#include "daycycle/Handlers.h"

#include "daycycle/Conditions.h"
#include "daycycle/ItemUse.h"
#include "daycycle/LevelUp.h"
#include "daycycle/Night.h"

namespace kotou {

void registerDaycycleHandlers(HandlerRegistry& r) {
    r.add("BitBtn5", BitBtn5Click);
    r.add("BitBtn16", BitBtn5Click);
    r.add("Button3", Button3Click);
    r.add("Button4", Button4Click);
    r.add("Button5", Button5Click);
    r.add("Button6", Button6Click);
    r.add("Button7", Button7Click);
    r.add("Button8", Button8Click);
    r.add("Button9", Button9Click);
    r.add("Button10", Button10Click);
    r.add("bath_b", bath_bClick);
    r.add("toile_b", toile_bClick);
    registerItemUseHandlers(r);
}

}  // namespace kotou

#include "ending/Handlers.h"

#include "ending/EscapePlan.h"

namespace kotou {

void registerEndingHandlers(HandlerRegistry& r) {
    r.add("dassyutu_b", dassyutu_bClick);
    r.add("BitBtn34", BitBtn34Click);
    r.add("ikada_b", ikada_bClick);
    r.add("all_b", all_bClick);
    r.add("singou_b", singou_bClick);
    r.add("buki_b", buki_bClick);
    r.add("clear_b", clear_bClick);
}

}  // namespace kotou

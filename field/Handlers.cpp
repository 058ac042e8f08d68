#include "field/Handlers.h"

#include "field/Exploration.h"
#include "field/Radio.h"
#include "field/Stranded.h"

namespace kotou {

void registerFieldHandlers(HandlerRegistry& r) {
    struct Entry {
        const char* component;
        void (*handler)(Game&);
    };
    static constexpr Entry kEntries[] = {
        {"hayasi_b", hayasi_bClick},
        {"hamabe_b", hamabe_bClick},
        {"umi_b", umi_bClick},
        {"doukutu_b", doukutu_bClick},
        {"jungle_b", jungle_bClick},
        {"mizuumi_b", mizuumi_bClick},
        {"gake_b", gake_bClick},
        {"BitBtn8", BitBtn8Click},
        {"BitBtn10", BitBtn10Click},
        {"kyuujyo_b", kyuujyo_bClick},
        {"BitBtn43", BitBtn43Click},
        {"kyu_ruru_b", kyu_ruru_bClick},
        {"kyu_arashi_b", kyu_arashi_bClick},
        {"kyu_spark_b", kyu_spark_bClick},
        {"kyu_zankyou_b", kyu_zankyou_bClick},
        {"radio_b", radio_bClick},
        {"listen_b", listen_bClick},
    };
    for (const Entry& e : kEntries) r.add(e.component, e.handler);
}

}  // namespace kotou

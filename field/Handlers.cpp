#include "field/Handlers.h"

#include "field/Exploration.h"
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
    };
    for (const Entry& e : kEntries) r.add(e.component, e.handler);
}

}  // namespace kotou

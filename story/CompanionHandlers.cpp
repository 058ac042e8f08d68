#include "story/CompanionHandlers.h"

namespace kotou {

namespace companions {

std::string dotLine(int n) {
    std::string line;
    for (int i = 0; i < n; ++i) line += "・";
    return line;
}

}  // namespace companions

void registerCompanionHandlers(HandlerRegistry& r) {
    struct Entry {
        const char* component;
        void (*handler)(Game&);
    };
    static constexpr Entry kEntries[] = {
        {"cominu_b", cominu_bClick},
        {"BitBtn33", BitBtn33Click},
        {"asobu_b", asobu_bClick},
        {"tanken_b", tanken_bClick},
        {"yoru_b", yoru_bClick},
        {"nedoko_b", nedoko_bClick},
        {"who_ruru_b", who_ruru_bClick},
        {"who_arashi_b", who_arashi_bClick},
        {"who_spark_b", who_spark_bClick},
        {"who_zankyou_b", who_zankyou_bClick},
        {"Button17", Button17Click},
        {"BitBtn26", BitBtn26Click},
        {"kanbyou_b", kanbyou_bClick},
        {"kan_ruru_b", kan_ruru_bClick},
        {"kan_arashi_b", kan_arashi_bClick},
        {"kan_spark_b", kan_spark_bClick},
        {"kan_zankyou_b", kan_zankyou_bClick},
        {"BitBtn52", BitBtn52Click},
        {"study_b", study_bClick},
        {"cat_book_b", cat_book_bClick},
        {"world_book_b", world_book_bClick},
        {"flower_book_b", flower_book_bClick},
        {"cake_book_b", cake_book_bClick},
        {"harb_book_b", harb_book_bClick},
        {"kusuri_book_b", kusuri_book_bClick},
        {"magic_book_b", magic_book_bClick},
        {"magic_book2_b", magic_book2_bClick},
        {"sinpi_book_b", sinpi_book_bClick},
        {"BitBtn28", BitBtn28Click},
        {"organ_b", organ_bClick},
        {"uta_b1", uta_b1Click},
        {"uta_b2", uta_b2Click},
        {"uta_b3", uta_b3Click},
        {"uta_b4", uta_b4Click},
        {"uta_b5", uta_b5Click},
        {"uta_b6", uta_b6Click},
        {"uta_b7", uta_b7Click},
        {"uta_b8", uta_b8Click},
        {"uta_b9", uta_b9Click},
        {"BitBtn42", BitBtn42Click},
    };
    for (const Entry& e : kEntries) r.add(e.component, e.handler);
}

}  // namespace kotou

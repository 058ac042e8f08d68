#include "shell/Dispatch.h"

#include <stdexcept>

#include "shell/Availability.h"

namespace kotou {

void HandlerRegistry::add(const std::string& component, Guard guard, Handler h) {
    if (!handlers_.emplace(component, Entry{guard, std::move(h)}).second)
        throw std::logic_error("handler registered twice: " + component);
}

const HandlerRegistry::Entry* HandlerRegistry::find(std::string_view component) const {
    auto it = handlers_.find(component);
    return it == handlers_.end() ? nullptr : &it->second;
}

namespace {

bool shownOnShownPanels(const FormModel& form, std::string_view component) {
    const ComponentId id = form.find(component);
    return id != kNoComponent && form.effectivelyVisible(id);
}

bool allows(const Game& g, std::string_view component, Guard guard) {
    const GameState& s = g.s;
    switch (guard) {
        case Guard::Command:
            return commandOffered(s, g.form, component);
        case Guard::Navigation:
            return shownOnShownPanels(g.form, component);
        case Guard::Battle:
            return s.runtime.battle.area >= 0 && commandOffered(s, g.form, component);
        case Guard::LevelUp:
            return GameState::isCharacterIndex(s.currentCharacter) &&
                   s.runtime.statPointsLeft >= 1 && shownOnShownPanels(g.form, component);
        case Guard::Wait:
            return true;
    }
    return false;
}

}  // namespace

bool guardAllows(const Game& g, std::string_view component) {
    const HandlerRegistry::Entry* e = g.handlers.find(component);
    return e != nullptr && allows(g, component, e->guard);
}

bool dispatch(Game& g, std::string_view component) {
    const HandlerRegistry::Entry* e = g.handlers.find(component);
    if (e == nullptr || !allows(g, component, e->guard)) return false;
    // A copy: a handler may replace registrations (tests do) while it runs.
    const Handler run = e->run;
    run(g);
    return true;
}

}  // namespace kotou

#include "shell/FormModel.h"

#include <stdexcept>

namespace kotou {

ComponentId FormModel::add(Component c) {
    if (byName_.count(c.name)) throw std::invalid_argument("duplicate component " + c.name);
    const auto id = static_cast<ComponentId>(rows_.size());
    byName_.emplace(c.name, id);
    c.revision = ++revision_;
    revisions_.push_back(c.revision);
    rows_.push_back(std::move(c));
    return id;
}

ComponentId FormModel::find(std::string_view name) const {
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? kNoComponent : it->second;
}

ComponentId FormModel::id(std::string_view name) const {
    const ComponentId i = find(name);
    if (i == kNoComponent) throw std::out_of_range("unknown component " + std::string(name));
    return i;
}

Component& FormModel::touch(ComponentId id) {
    Component& c = rows_.at(static_cast<size_t>(id));
    c.revision = ++revision_;
    revisions_[static_cast<size_t>(id)] = c.revision;
    return c;
}

#define KOTOU_SET(field, value)                                                            \
    do {                                                                                   \
        if (rows_.at(static_cast<size_t>(id)).field != (value)) touch(id).field = (value); \
    } while (0)

void FormModel::setVisible(ComponentId id, bool v) {
    KOTOU_SET(visible, v);
}
void FormModel::setEnabled(ComponentId id, bool v) {
    KOTOU_SET(enabled, v);
}
void FormModel::setCaption(ComponentId id, std::string_view text) {
    KOTOU_SET(caption, text);
}
void FormModel::setPicture(ComponentId id, std::string_view file) {
    KOTOU_SET(picture, file);
}
void FormModel::setColor(ComponentId id, Rgb c) {
    KOTOU_SET(color, c);
}
void FormModel::setFontColor(ComponentId id, Rgb c) {
    KOTOU_SET(fontColor, c);
}
void FormModel::setFontSize(ComponentId id, int size) {
    KOTOU_SET(fontSize, size);
}
void FormModel::setStretch(ComponentId id, bool stretch) {
    KOTOU_SET(stretch, stretch);
}
void FormModel::setFilled(ComponentId id, bool filled) {
    KOTOU_SET(filled, filled);
}
void FormModel::setAutoSize(ComponentId id, bool autoSize) {
    KOTOU_SET(autoSize, autoSize);
}

#undef KOTOU_SET

void FormModel::setBounds(ComponentId id, int left, int top, int width, int height) {
    const Component& c = at(id);
    if (c.left != left || c.top != top || c.width != width || c.height != height) {
        Component& m = touch(id);
        m.left = left;
        m.top = top;
        m.width = width;
        m.height = height;
    }
}

void FormModel::setPosition(ComponentId id, int left, int top) {
    const Component& c = at(id);
    setBounds(id, left, top, c.width, c.height);
}

void FormModel::setGauge(ComponentId id, int maximum, int value) {
    const Component& c = at(id);
    if (c.gaugeMax != maximum || c.gaugeValue != value) {
        Component& m = touch(id);
        m.gaugeMax = maximum;
        m.gaugeValue = value;
    }
}

void FormModel::setItems(ComponentId id, std::vector<std::string> items) {
    if (at(id).items != items) {
        Component& m = touch(id);
        m.items = std::move(items);
        m.selected = -1;
    }
}

void FormModel::setSelected(ComponentId id, int index) {
    const Component& c = at(id);
    if (index < 0 || static_cast<size_t>(index) >= c.items.size()) index = -1;
    if (c.selected != index) touch(id).selected = index;
}

const std::string& FormModel::selectedItem(ComponentId id) const {
    static const std::string kNone;
    const Component& c = at(id);
    if (c.selected < 0 || static_cast<size_t>(c.selected) >= c.items.size()) return kNone;
    return c.items[static_cast<size_t>(c.selected)];
}

bool FormModel::effectivelyVisible(ComponentId id) const {
    for (ComponentId i = id; i != kNoComponent; i = at(i).parent)
        if (!at(i).visible) return false;
    return true;
}

}  // namespace kotou

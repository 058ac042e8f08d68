#pragma once
// The form model: every panel and component of the game window, by name,
// with its parent panel, position, size, caption, visibility, enabled state,
// picture and a few display attributes. The game rules change only this
// model; the window renders it and turns clicks into handler calls.
//
// Components are addressed by a stable integer id (their row in the table);
// looking a name up once and keeping the id keeps the 20-per-second status
// refresh cheap. Every change bumps the component's revision and the model's
// revision, so a renderer can update exactly what changed.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kotou {

enum class Kind : uint8_t {
    Window,  // the main window itself (row 0, name "Form1")
    Panel,   // a *_box panel or group box
    Button,
    Label,
    Gauge,  // progress bar with a maximum
    Image,
    Edit,  // single-line text field
    List,  // list box
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

using ComponentId = int;
inline constexpr ComponentId kNoComponent = -1;

struct Component {
    std::string name;
    ComponentId parent = kNoComponent;  // the panel it lies on; kNoComponent = the window
    Kind kind = Kind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    std::string caption;  // UTF-8; carriage return "\r" separates lines
    bool visible = true;
    bool enabled = true;
    std::string picture;   // file relative to the game folder ("cg/title.jpg"); empty = none.
                           // A panel draws its picture stretched as its background.
    bool stretch = false;  // picture stretched to the component, else natural size
    int gaugeMax = 100;
    int gaugeValue = 0;
    Rgb color{};      // gauge bar colour, panel/window background, or a filled label's background
    Rgb fontColor{};  // label text colour, or a captioned panel's title colour
    bool filled = false;    // label: paints `color` behind its text (else the panel shows through)
    bool autoSize = false;  // label: sized to its text from its left and top (width, height unused)
    int fontSize = 0;       // 0 = the window's font
    std::vector<std::string> items;  // list box lines
    int selected = -1;               // list box: the selected line, -1 = none
    uint64_t revision = 0;
};

class FormModel {
  public:
    // Adds a component; its name must be new. Returns its id.
    ComponentId add(Component c);

    // Id of a named component, or kNoComponent.
    ComponentId find(std::string_view name) const;
    // Id of a named component; throws std::out_of_range for an unknown name.
    ComponentId id(std::string_view name) const;

    const Component& at(ComponentId id) const { return rows_[static_cast<size_t>(id)]; }
    const Component& at(std::string_view name) const { return at(id(name)); }
    const std::vector<Component>& all() const { return rows_; }
    size_t size() const { return rows_.size(); }
    uint64_t revision() const { return revision_; }
    // A component's revision, from a compact list of its own: a renderer
    // looking for what changed reads these alone, not every component.
    uint64_t revisionOf(ComponentId id) const { return revisions_[static_cast<size_t>(id)]; }

    // Setters change the value only when it differs, and then bump revisions.
    void setVisible(ComponentId id, bool v);
    void setEnabled(ComponentId id, bool v);
    void setCaption(ComponentId id, std::string_view text);
    void setPicture(ComponentId id, std::string_view file);
    void setBounds(ComponentId id, int left, int top, int width, int height);
    void setPosition(ComponentId id, int left, int top);
    void setGauge(ComponentId id, int maximum, int value);
    void setColor(ComponentId id, Rgb c);
    void setFontColor(ComponentId id, Rgb c);
    void setFontSize(ComponentId id, int size);
    void setStretch(ComponentId id, bool stretch);
    void setFilled(ComponentId id, bool filled);
    void setAutoSize(ComponentId id, bool autoSize);
    // New lines clear the selection (the old index would name another line).
    void setItems(ComponentId id, std::vector<std::string> items);
    // Selects line `index` of a list; anything outside its lines means none.
    void setSelected(ComponentId id, int index);
    // The selected line's text, or "" when nothing is selected.
    const std::string& selectedItem(ComponentId id) const;

    // Name-based conveniences for handlers (not for hot paths).
    void show(std::string_view name) { setVisible(id(name), true); }
    void hide(std::string_view name) { setVisible(id(name), false); }
    bool visible(std::string_view name) const { return at(name).visible; }

    // True when the component and every panel it lies on are visible.
    bool effectivelyVisible(ComponentId id) const;

  private:
    Component& touch(ComponentId id);

    std::vector<Component> rows_;
    std::vector<uint64_t> revisions_;  // rows_[i].revision, side by side
    std::unordered_map<std::string, ComponentId> byName_;
    uint64_t revision_ = 0;
};

}  // namespace kotou

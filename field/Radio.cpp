#include "field/Radio.h"

#include <array>
#include <string>
#include <vector>

#include "shell/Messages.h"

namespace kotou {
namespace {

// The old radio's titles are padded with spaces to one width, as the list
// shows them; a selected line is matched by its exact text.
constexpr std::array<RadioChannel, 23> kChannels = {{
    {"誰もいない浜辺　　", "title.mid"},
    {"夜　　　　　　　　", "yoru.mid"},
    {"雨　　　　　　　　", "ame.mid"},
    {"戦い　　　　　　　", "battle.mid"},
    {"僕等のやり方　　　", "bokura.mid"},
    {"サバイバル  　　　", "svival.mid"},
    {"草木を掻き分けて　", "tanken.mid"},
    {"潮香る午後　  　　", "tanken2.mid"},
    {"輝く時間　　  　　", "tanken3.mid"},
    {"結ばれてゆく絆　　", "tanken4.mid"},
    {"声　　　　　　　　", "voice.mid"},
    // Received once the radio is improved: tracks of far-away records.
    {"桟橋の灯り（星降る港町）", "radio01.mid"},
    {"帆布と潮風（星降る港町）", "radio02.mid"},
    {"夜明けの汽笛（星降る港町）", "radio03.mid"},
    {"草原を渡る隊商（風の旅団）", "radio04.mid"},
    {"砂丘の野営地（風の旅団）", "radio05.mid"},
    {"旅団の行進（風の旅団）", "radio06.mid"},
    {"ふくろうの子守歌（月影の森）", "radio07.mid"},
    {"木漏れ日の小径（月影の森）", "radio08.mid"},
    {"苔むした祠（月影の森）", "radio09.mid"},
    {"雨上がりの時計塔（硝子の街）", "radio10.mid"},
    {"路面電車は行く（硝子の街）", "radio11.mid"},
    {"屋根裏の天文台（硝子の街）", "radio12.mid"},
}};
constexpr size_t kOldRadioChannels = 11;

}  // namespace

std::span<const RadioChannel> radioChannels(int32_t radioState) {
    const std::span<const RadioChannel> all(kChannels);
    return radioState >= 2 ? all : all.first(kOldRadioChannels);
}

namespace {

void openRadio(Game& g) {
    playSound(g, 0, "1.wav");
    g.form.hide("item_box");
    g.form.show("listen_b");
    g.form.show("list_box");
    g.form.setCaption(g.form.id("list_l"), "□古びたラジオチャンネル");
    std::vector<std::string> lines;
    for (const RadioChannel& c : radioChannels(g.s.radioState)) lines.emplace_back(c.title);
    g.form.setItems(g.form.id("list"), std::move(lines));
}

void listenToChannel(Game& g) {
    playSound(g, 0, "1.wav");
    const std::string& line = g.form.selectedItem(g.form.id("list"));
    if (line.empty()) return;
    // Only a line of the radio's own plays: the list may hold other text.
    for (const RadioChannel& c : radioChannels(g.s.radioState)) {
        if (line != c.title) continue;
        playSound(g, 0, "save.wav");
        playMusic(g, c.music);
        return;
    }
}

}  // namespace

void registerRadioHandlers(HandlerRegistry& r) {
    r.add("radio_b", Guard::Command, openRadio);
    r.add("listen_b", Guard::Command, listenToChannel);
}

}  // namespace kotou

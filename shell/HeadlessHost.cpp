#include "shell/HeadlessHost.h"

#include <stdexcept>

#include "shell/Game.h"
#include "shell/Messages.h"

namespace kotou {

HeadlessHost::HeadlessHost(std::filesystem::path baseDir) : baseDir_(std::move(baseDir)) {}

void HeadlessHost::clearRecords() {
    messages.clear();
    sounds.clear();
    music.clear();
    pictures.clear();
    flashes.clear();
    confirms.clear();
    errors.clear();
    transcript.clear();
    repaints = eventPasses = clicks = sleptMs = 0;
    closeRequests = 0;
}

bool HeadlessHost::saw(std::string_view part) const {
    return count(part) > 0;
}

int HeadlessHost::count(std::string_view part) const {
    int n = 0;
    for (const Message& m : messages)
        if (m.text.find(part) != std::string::npos) ++n;
    return n;
}

int HeadlessHost::indexOf(std::string_view part) const {
    for (size_t i = 0; i < messages.size(); ++i)
        if (messages[i].text.find(part) != std::string::npos) return static_cast<int>(i);
    return -1;
}

bool HeadlessHost::played(std::string_view file, int channel) const {
    for (const Sound& s : sounds)
        if (s.file == file && (channel < 0 || s.channel == channel)) return true;
    return false;
}

std::vector<std::string> HeadlessHost::messageTexts() const {
    std::vector<std::string> out;
    out.reserve(messages.size());
    for (const Message& m : messages) out.push_back(m.text);
    return out;
}

std::string HeadlessHost::transcriptText() const {
    std::string out;
    for (const std::string& line : transcript) {
        out += line;
        out += '\n';
    }
    return out;
}

void HeadlessHost::note(std::string line) {
    if (keepTranscript) transcript.push_back(std::move(line));
}

void HeadlessHost::processEvents() {
    ++eventPasses;
    if (game_ == nullptr) {
        if (onProcessEvents) throw std::logic_error("HeadlessHost: onProcessEvents needs attach()");
        return;
    }
    Game& g = *game_;
    if (onProcessEvents) onProcessEvents(g);
    if (g.s.runtime.clickState != 0) {
        waitPasses_ = 0;
        return;
    }
    if (autoClick) {
        waitPasses_ = 0;
        ++clicks;
        note("click");
        if (silentClicks)
            g.s.runtime.clickState = 1;
        else
            clickToContinue(g);
        return;
    }
    if (maxWaitPasses > 0 && ++waitPasses_ > maxWaitPasses) {
        waitPasses_ = 0;
        throw std::runtime_error("HeadlessHost: a wait for a click never ended");
    }
}

void HeadlessHost::playSound(int channel, const std::string& file) {
    sounds.push_back({channel, file});
    note("sound " + std::to_string(channel) + " " + file);
    if (failSounds) throw std::runtime_error("no sound device");
}

void HeadlessHost::playMusic(const std::string& file) {
    music.push_back(file);
    note("music " + file);
    if (failSounds) throw std::runtime_error("no music device");
}

bool HeadlessHost::confirm(const std::string& text) {
    confirms.push_back(text);
    bool answer = defaultConfirm;
    if (!confirmAnswers.empty()) {
        answer = confirmAnswers.front();
        confirmAnswers.pop_front();
    }
    note("confirm " + text + (answer ? " -> yes" : " -> no"));
    return answer;
}

void HeadlessHost::showError(const std::string& text) {
    errors.push_back(text);
    note("error " + text);
}

void HeadlessHost::flash(const Flash& f) {
    flashes.push_back(f);
    note("flash " + f.kind + " " + std::to_string(f.durationMs));
}

void HeadlessHost::closeWindow() {
    ++closeRequests;
    note("close");
    // As in the window, whose closing sets the click state to -1 (FormClose):
    // every running and later wait ends at once.
    if (game_ != nullptr) game_->s.runtime.clickState = -1;
}

void HeadlessHost::messageShown(std::string_view text, bool appended) {
    messages.push_back({std::string(text), appended});
    note((appended ? "+ " : "> ") + std::string(text));
}

void HeadlessHost::pictureShown(std::string_view component, std::string_view file) {
    pictures.push_back({std::string(component), std::string(file)});
    note("picture " + std::string(component) + " " + std::string(file));
}

}  // namespace kotou

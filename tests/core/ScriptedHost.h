#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/AnalysisHost.h"

namespace zebak::test {

/// A host that records what the user would have seen and heard and answers questions from a
/// script (Yes when the script is empty).
class ScriptedHost : public UserDialogs, public DisplayFeedback, public TableFeedback {
  public:
    /// The three concerns in one: what the loops take.
    operator AnalysisHost() { return {*this, *this, *this}; }

    std::vector<int> pauses;
    std::vector<std::string> messages;   ///< plain boxes and typed boxes, in order
    std::vector<std::string> questions;  ///< typed boxes with Yes/No or Yes/Abort
    std::deque<DialogAnswer> answers;    ///< answers to questions, front first
    std::vector<int> beeps;              ///< MessageBeep types
    std::vector<SoundClip> sounds;
    std::vector<FoundIndicator> indicators;
    std::vector<int> framesShown;
    std::vector<int> endBarMoves;
    std::vector<std::pair<int, int>> crosses;
    std::vector<std::pair<SlotNumber, bool>> colourChanges;
    std::vector<SlotNumber> pagesShown;
    int resultRepaints = 0;
    int tablesPrepared = 0;
    /// Called on every pause, e.g. to press "Abbrechen" at a chosen moment.
    std::function<void()> onPause;

    void pause(int ms) override {
        pauses.push_back(ms);
        if (onPause) onPause();
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    DialogAnswer messageDialog(DialogKind, const std::string& text,
                               DialogButtons buttons) override {
        messages.push_back(text);
        if (buttons == DialogButtons::Ok) return DialogAnswer::Ok;
        questions.push_back(text);
        if (answers.empty()) return DialogAnswer::Yes;
        const DialogAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void messageBeep(int type) override { beeps.push_back(type); }
    void playSound(SoundClip clip) override { sounds.push_back(clip); }
    void foundIndicatorChanged(FoundIndicator i) override { indicators.push_back(i); }
    void showAbortButton(bool) override {}
    void showFoundIndicator(bool) override {}
    void setBusyCursor(bool) override {}
    void showResultWindow(bool) override {}
    void resultImageChanged() override { ++resultRepaints; }
    void setDisplayFullSize(bool) override {}
    void showDisplayWindow(bool) override {}
    void paintDisplayCross(int x, int y) override { crosses.emplace_back(x, y); }
    void frameShown(int n) override { framesShown.push_back(n); }
    void endBarMoved(int position) override { endBarMoves.push_back(position); }
    void workingColourChanged(SlotNumber slot, bool swatch) override {
        colourChanges.emplace_back(slot, swatch);
    }
    void showSettingsPage(SlotNumber slot) override { pagesShown.push_back(slot); }
    void positionTablesPrepared() override { ++tablesPrepared; }
    void positionRowWritten(SlotNumber, int) override {}
};

}  // namespace zebak::test

#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/AnalysisEvents.h"
#include "core/AnalysisJob.h"

namespace zebak::test {

/// A host that records what the user would have seen and heard and answers questions from a
/// script (Yes when the script is empty).
class ScriptedHost : public UserDialogs, public AnalysisEvents {
  public:
    /// What the loops take.
    operator RunPorts() { return {*this, *this, control}; }

    /// The stop request the loops poll; set it in onPause to press "Abbrechen".
    RunControl control;
    std::vector<int> pauses;
    std::vector<std::string> messages;   ///< plain boxes and typed boxes, in order
    std::vector<std::string> questions;  ///< typed boxes with Yes/No or Yes/Abort
    std::deque<DialogAnswer> answers;    ///< answers to questions, front first
    std::vector<int> beeps;              ///< MessageBeep types
    std::vector<SoundClip> sounds;
    std::vector<bool> found;  ///< the found flag of every analysed frame
    std::vector<int> framesShown;
    std::vector<int> endBarMoves;
    std::vector<std::pair<int, int>> crosses;
    std::vector<std::pair<SlotNumber, bool>> colourChanges;
    std::vector<SlotNumber> pagesShown;
    int resultRepaints = 0;
    int tablesPrepared = 0;
    /// Called on every pause, e.g. to press "Abbrechen" at a chosen moment.
    std::function<void()> onPause;

    /// Acts as the windows do: the run's job is read anew from the measurement after every
    /// pause, and a moved range end is kept in the measurement.
    void follow(Measurement& m, AnalysisJob& job) {
        measurement_ = &m;
        job_ = &job;
    }
    void unfollow() { measurement_ = nullptr, job_ = nullptr; }

    void pause(int ms) override {
        pauses.push_back(ms);
        if (onPause) onPause();
        if (job_) refreshJob(*job_, *measurement_);
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
    void frameAnalysed(SlotNumber, int, const FrameResult& r) override {
        found.push_back(r.found);
        if (r.cross) crosses.emplace_back(r.cross->x, r.cross->y);
        ++resultRepaints;
    }
    void frameShown(int n) override { framesShown.push_back(n); }
    void rangeChanged(FrameRange range) override {
        endBarMoves.push_back(range.end);
        if (measurement_) measurement_->range = range;
    }
    void colourAdopted(SlotNumber slot, bool adopted) override {
        colourChanges.emplace_back(slot, adopted);
    }
    void started(RunKind kind, const AnalysisJob&) override {
        if (kind == RunKind::FilmAnalysis) ++tablesPrepared;
    }
    void finished(RunKind, RunStatus status) override {
        if (status == RunStatus::ColourMissing1) pagesShown.push_back(1);
        if (status == RunStatus::ColourMissing2) pagesShown.push_back(2);
    }

  private:
    Measurement* measurement_ = nullptr;
    AnalysisJob* job_ = nullptr;
};

}  // namespace zebak::test

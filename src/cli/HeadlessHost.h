#pragma once

#include <string>
#include <vector>

#include "core/AnalysisEvents.h"

namespace zebak::cli {

/// The host of the headless tool: no windows, no pauses, no sounds. The second-search question
/// is answered from the command line; other boxes are only remembered. Nothing is shown, so
/// the loops' events keep their silent defaults.
class HeadlessHost final : public UserDialogs, public AnalysisEvents {
  public:
    /// The loops' view of this host.
    operator RunPorts() { return {*this, *this, control_}; }

    /// `continueOnRefineMiss`: answer Yes (true) or No (false) to the second-search question.
    explicit HeadlessHost(bool continueOnRefineMiss) : continue_(continueOnRefineMiss) {}

    /// Texts of every box that would have been shown, in order.
    const std::vector<std::string>& messages() const { return messages_; }

    void pause(int) override {}
    void showMessage(const std::string& text) override { messages_.push_back(text); }
    DialogAnswer messageDialog(DialogKind, const std::string& text,
                               DialogButtons buttons) override {
        messages_.push_back(text);
        if (buttons == DialogButtons::YesNo)
            return continue_ ? DialogAnswer::Yes : DialogAnswer::No;
        return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Yes;
    }
    void messageBeep(int) override {}
    void playSound(SoundClip) override {}

  private:
    RunControl control_;
    bool continue_;
    std::vector<std::string> messages_;
};

}  // namespace zebak::cli

#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "core/FrameSource.h"

namespace zebak::test {

/// A film whose frames are drawn in memory; seek clamps like the real source.
class SyntheticFilm : public FrameSource {
  public:
    /// `count` frames of width x height filled with `background`.
    SyntheticFilm(int count, int width, int height, Rgb background = Rgb{10, 10, 10}) {
        for (int i = 0; i < count; ++i) {
            frames_.emplace_back(width, height);
            frames_.back().fill(background);
        }
    }
    /// Frame n for drawing.
    RgbFrame& at(int n) { return frames_.at(static_cast<std::size_t>(n)); }
    /// Draws pixel (x, y) in colour c on every frame.
    void everywhere(int x, int y, Rgb c) {
        for (RgbFrame& f : frames_) f.setPixel(x, y, c);
    }

    std::vector<int> seeks;
    /// What the film says of itself; by default its frame size and no rate.
    std::optional<FilmDescription> described;

    int frameCount() const override { return static_cast<int>(frames_.size()); }
    int width() const override { return frames_.front().width(); }
    int height() const override { return frames_.front().height(); }
    int currentFrame() const override { return current_; }
    void seek(int n) override {
        current_ = std::clamp(n, 0, frameCount());
        seeks.push_back(current_);
    }
    const RgbFrame& frame() const override {
        return frames_[static_cast<std::size_t>(std::min(current_, frameCount() - 1))];
    }

    FilmDescription description() const override {
        return described ? *described : FrameSource::description();
    }

  private:
    std::vector<RgbFrame> frames_;
    int current_ = 0;
};

}  // namespace zebak::test

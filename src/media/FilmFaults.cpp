// What is wrong with a film, in the words the user sees on loading it.

#include "FilmFaults.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zebak {

namespace {

/// Where pictures are missing, in the film's own numbering: one text per gap, such as "1 Bild
/// zwischen Bild 7 und 8 (bei 0,320 s)"; at most five, then "weitere".
std::string missingPlaces(FfmsFrameSource::Impl& impl) {
    const std::vector<int>& missing = impl.missingFrames;
    FFMS_Track* track = FFMS_GetTrackFromIndex(impl.index.get(), impl.track);
    const FFMS_TrackTimeBase* base = track != nullptr ? FFMS_GetTimeBase(track) : nullptr;
    const FFMS_FrameInfo* zero = track != nullptr ? FFMS_GetFrameInfo(track, 0) : nullptr;
    std::string text;
    int gaps = 0;
    for (std::size_t k = 0; k < missing.size();) {
        std::size_t end = k + 1;
        while (end < missing.size() && missing[end] == missing[end - 1] + 1) ++end;
        if (++gaps > 5) return text + ", weitere";
        const int before = missing[k] - static_cast<int>(k);  // frames of the film before it
        text += (gaps > 1 ? ", " : "") + std::to_string(end - k) +
                (end - k == 1 ? " Bild " : " Bilder ") +
                (before == 0 ? std::string("vor Bild 0")
                             : "zwischen Bild " + std::to_string(before - 1) + " und " +
                                   std::to_string(before));
        const FFMS_FrameInfo* f = track != nullptr ? FFMS_GetFrameInfo(track, missing[k]) : nullptr;
        if (base != nullptr && base->Den != 0 && f != nullptr && zero != nullptr) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.3f",
                          static_cast<double>(f->PTS - zero->PTS) * static_cast<double>(base->Num) /
                              (static_cast<double>(base->Den) * 1000.0));
            std::string t = seconds;
            std::replace(t.begin(), t.end(), '.', ',');
            text += " (bei " + t + " s)";
        }
        k = end;
    }
    return text;
}

}  // namespace

void describeFaults(FfmsFrameSource::Impl& impl) {
    FilmInfo& i = impl.info;
    i.damaged = impl.damagedFrom >= 0;
    if (i.damaged && !impl.missingFrames.empty())
        i.warnings.push_back("Der Film ist beschädigt: Es fehlen Bilder, die er angibt: " +
                             missingPlaces(impl) + ". Von den " +
                             std::to_string(i.listedFrameCount) + " Bildern, die er angibt, " +
                             "werden nur die " + std::to_string(i.frameCount) +
                             " lesbaren verwendet, jedes mit seiner eigenen Zeit.");
    else if (i.damaged)
        i.warnings.push_back(
            "Der Film ist beschädigt: ab Bild " + std::to_string(impl.damagedFrom) +
            " lassen sich keine Bilder mehr lesen. Von den " + std::to_string(i.listedFrameCount) +
            " Bildern, die er angibt, " + "werden nur die " + std::to_string(i.frameCount) +
            " lesbaren verwendet.");
    if (impl.sizeChangeFrame >= 0)
        i.warnings.push_back(
            "Die Bildgröße des Films ändert sich ab Bild " + std::to_string(impl.sizeChangeFrame) +
            " von " + std::to_string(i.nativeSize.width) + "x" +
            std::to_string(i.nativeSize.height) + " auf " + std::to_string(impl.changedSize.width) +
            "x" + std::to_string(impl.changedSize.height) +
            ". Alle Bilder werden auf die Größe des ersten Bildes umgerechnet.");
}

}  // namespace zebak

#pragma once

#include <QImage>

#include "core/RgbFrame.h"

namespace zebak::gui {

/// A QImage over the frame's own bytes, without a copy: valid only while the frame lives and
/// keeps its pixels; copy() or convert it to keep it longer.
inline QImage borrowFrame(const RgbFrame& frame) {
    return QImage(frame.bytes().data(), frame.width(), frame.height(), frame.width() * 3,
                  QImage::Format_RGB888);
}

}  // namespace zebak::gui

#pragma once

#include <ffms.h>

#include <memory>
#include <string>

namespace zebak::ffms {

struct IndexDeleter {
    void operator()(FFMS_Index* p) const { FFMS_DestroyIndex(p); }
};
struct VideoSourceDeleter {
    void operator()(FFMS_VideoSource* p) const { FFMS_DestroyVideoSource(p); }
};

using IndexPtr = std::unique_ptr<FFMS_Index, IndexDeleter>;
using VideoSourcePtr = std::unique_ptr<FFMS_VideoSource, VideoSourceDeleter>;

/// FFMS2's error record with its own text buffer.
class ErrorInfo {
  public:
    ErrorInfo() { reset(); }
    FFMS_ErrorInfo* get() {
        reset();
        return &info_;
    }
    /// The library's message, or a fallback when it gave none.
    std::string text() const {
        return buffer_[0] != '\0' ? std::string(buffer_) : std::string("unbekannter Fehler");
    }

  private:
    void reset() {
        buffer_[0] = '\0';
        info_.Buffer = buffer_;
        info_.BufferSize = sizeof buffer_;
        info_.ErrorType = FFMS_ERROR_SUCCESS;
        info_.SubType = FFMS_ERROR_SUCCESS;
    }
    char buffer_[1024];
    FFMS_ErrorInfo info_{};
};

/// Initialises the library once per process.
void initOnce();

}  // namespace zebak::ffms

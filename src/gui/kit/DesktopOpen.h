#pragma once

class QUrl;

namespace zebak::gui {

/// Hands a document or page to the desktop's program for its type and tells whether one took
/// it. Where the desktop opens files through xdg-open, its exit status is the answer (it
/// fails when no program is set for the type, or no browser is there for a page); a program
/// it still runs after a few seconds has taken the file. Elsewhere Qt's desktop services
/// answer.
bool openOnDesktop(const QUrl& url);

}  // namespace zebak::gui

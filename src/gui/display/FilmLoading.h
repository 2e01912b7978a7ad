#pragma once

#include <QPoint>
#include <QString>
#include <memory>

#include "core/FrameSource.h"

class QWidget;

namespace zebak::gui {

class Session;
class DisplayWindow;

/// Opens the film at path through the session's opener with the progress dialog; nullptr
/// when the user cancelled the preparation (no message) or the film cannot be opened (the
/// error box with the decoder's text has been shown).
std::unique_ptr<FrameSource> openWithProgress(Session& session, QWidget* parent,
                                              const QString& path);

/// The size text of the player panel (Label5): "Abmessungen:W/H" of the upright picture, or
/// the note that a PAL film is worked on at half size; for a slow-motion film followed by
/// ", Aufnahme mit N Bilder/s".
QString frameSizeText(const FilmDescription& film);

/// Shows each of the film's loading warnings (damage, a frame size that changes) in a
/// warning box.
void tellLoadWarnings(Session& session, QWidget* parent, const FilmDescription& film);

/// For a film whose frames are unevenly spaced, asks once whether the times are to be taken
/// from the film; true for Yes. False without asking for an evenly spaced film.
bool askTimesFromFilm(Session& session, QWidget* parent, const FilmDescription& film);

/// Videooeffnen: sizes the display window for the state's frame size (reduced for films
/// taller than 288 rows), places it at `at` and shows it; a PAL film also gets the small
/// corner panel.
void openVideo(DisplayWindow* display, const FilmDescription& film, FrameSize analysis, QPoint at);

}  // namespace zebak::gui

#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Colour.h"
#include "Kinematics.h"
#include "SearchSettings.h"

namespace zebak {

/// Colour slot number: 1 or 2.
using SlotNumber = int;

/// What the program knows of one tracked colour (the twins Farbe1.../Farbe2... of the state).
struct SlotState {
    /// Working reference colour (Farbe1R/G/B); colour adoption changes it during a run.
    Rgb Farbe{100, 100, 100};
    /// Colour as picked or typed (Startfarbe1R/G/B); copied into Farbe when an analysis starts.
    Rgb Startfarbe{0, 0, 0};
    /// Colour tolerance taken from the settings page before each search (Toleranz1/2).
    std::uint8_t Toleranz = 0;
    /// Centre of the object: midpoint of the matching pixels' bounding box, frame pixels.
    int MittelpunktX = 0;
    int MittelpunktY = 0;
    /// Centre found by the targeted second search, frame pixels.
    int GenauerMittelpunktX = 0;
    int GenauerMittelpunktY = 0;
    /// The assigned mark: set once the slot's colour has been picked or typed.
    bool zugewiesen = false;
};

/// The shared program state: everything the windows and the loops work on. The main window
/// owns one instance and passes it by reference; nothing of it is saved between runs.
struct ProgramState {
    /// Full path of the loaded film; empty before the first load.
    std::string Filmname;
    /// Frame size used for all pixel work (360x288 for a 720x576 film), pixels.
    int Videobreite = 0;
    int Videohoehe = 0;
    /// Size of the picture the user clicks in, pixels (ScrollBar1.Tag / ScrollBar2.Tag).
    int Anzeigebreite = 0;
    int Anzeigehoehe = 0;
    /// Stop request of the range playback: 0 while it plays, 1 asks it to stop.
    std::uint8_t AbspielenStopp = 0;
    /// True while a routine reads pixels of the displayed frame (the pixel context is open).
    bool KontextOffen = false;

    /// The two colour slots; slot(1) and slot(2) address them.
    std::array<SlotState, 2> slots{};
    SlotState& slot(SlotNumber n) { return slots.at(static_cast<std::size_t>(n - 1)); }
    const SlotState& slot(SlotNumber n) const { return slots.at(static_cast<std::size_t>(n - 1)); }

    /// Search area in frame pixels; full scans cover x in [Links, Rechts) and y in [Oben, Unten).
    int SuchbereichLinks = 0;
    int SuchbereichOben = 0;
    int SuchbereichRechts = 0;
    int SuchbereichUnten = 0;

    /// Point whose colour is picked, frame pixels.
    int KlickX = 0;
    int KlickY = 0;
    /// End points of the calibration line, frame pixels.
    int EichpunktAX = 0;
    int EichpunktAY = 0;
    int EichpunktBX = 0;
    int EichpunktBY = 0;
    /// The same points clicked on the manual overlay.
    int ManuellEichpunktAX = 0;
    int ManuellEichpunktAY = 0;
    int ManuellEichpunktBX = 0;
    int ManuellEichpunktBY = 0;
    /// Metres per pixel; exactly 1.0 means uncalibrated.
    double Eichfaktor = 1.0;
    /// Factor before the latest calibration, metres per pixel.
    double Eichfaktoralt = 1.0;
    /// Real length of the calibration line, metres.
    double Streckenlaenge = 0.0;
    /// Origin in frame pixels; by default the bottom-left corner (0, Videohoehe).
    int NullpunktX = 0;
    int NullpunktY = 0;
    /// Origin before the latest move.
    int NullpunktAltX = 0;
    int NullpunktAltY = 0;
    /// Stop request for the film analysis and the stroboscope run.
    bool Abbruch = false;
    /// Next click on the display window: calibration point A (1), B (2), origin (3), else 0.
    int Eichschritt = 0;
    /// 1 while a calibration runs, so clicks on the display window pick no colour.
    int EichungLaeuft = 0;
    /// Next click on the manual overlay: calibration point A (1), B (2), origin (3), else 0.
    int Kalibrierschritt = 0;
    /// Manual capture: the question whether to calibrate first is settled.
    bool EichungErledigt = false;

    // --- Colour search and film analysis: settings pages, result display, restricted
    // sequence, position tables and the search result image (see SearchSettings.h).
    AnalysisState analyse;
    /// Search settings of slot n (1 or 2).
    SearchSettings& settings(SlotNumber n) {
        return analyse.suchEinst.at(static_cast<std::size_t>(n - 1));
    }
    const SearchSettings& settings(SlotNumber n) const {
        return analyse.suchEinst.at(static_cast<std::size_t>(n - 1));
    }
    /// Position table of slot n: tabelle1 or Tabelle2.
    PositionGrid& tabelle(SlotNumber n) {
        return analyse.tabellen.at(static_cast<std::size_t>(n - 1));
    }
    const PositionGrid& tabelle(SlotNumber n) const {
        return analyse.tabellen.at(static_cast<std::size_t>(n - 1));
    }

    /// The evaluation window's grids (Tabelle1, tabelle1v, tabelle1a and the colour 2 twins):
    /// filled when the window opens, edited there, emptied when it closes.
    std::array<KinematicsGrids, 2> auswertung{};
    KinematicsGrids& auswertungsTabellen(SlotNumber n) {
        return auswertung.at(static_cast<std::size_t>(n - 1));
    }
};

}  // namespace zebak

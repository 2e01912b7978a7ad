#include "KinematicsJson.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Arguments.h"
#include "core/Diagrams.h"
#include "core/Fit.h"
#include "core/Kinematics.h"
#include "core/PositionTable.h"

namespace zebak::cli {

namespace {

std::string gridJson(const TextGrid& grid) {
    std::string out = "[";
    for (std::size_t r = 0; r < grid.size(); ++r) {
        if (r > 0) out += ',';
        out += '[';
        for (std::size_t c = 0; c < grid[r].size(); ++c) {
            if (c > 0) out += ',';
            out += jsonString(grid[r][c]);
        }
        out += ']';
    }
    return out + ']';
}

std::string lineJson(const std::vector<DiagramPoint>& line) {
    std::string out = "[";
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0) out += ',';
        out += '[' + formatNumber(line[i].x) + ',' + formatNumber(line[i].y) + ']';
    }
    return out + ']';
}

std::string slotJson(const KinematicsGrids& k, int strength) {
    constexpr std::array<std::pair<const char*, Diagram>, 6> kLines{{{"v-t", Diagram::VT},
                                                                     {"vx-t", Diagram::VXT},
                                                                     {"vy-t", Diagram::VYT},
                                                                     {"a-t", Diagram::AT},
                                                                     {"ax-t", Diagram::AXT},
                                                                     {"ay-t", Diagram::AYT}}};
    std::string out = "{\"positions\":" + gridJson(k.positions) +
                      ",\"velocities\":" + gridJson(k.velocities) +
                      ",\"accelerations\":" + gridJson(k.accelerations) + ",\"trend\":{";
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        if (i > 0) out += ',';
        out += jsonString(kLines[i].first) + ':' +
               lineJson(diagramTrendLine(kLines[i].second, k, strength));
    }
    out += "},\"messages\":[";
    for (std::size_t i = 0; i < k.messages.size(); ++i) {
        if (i > 0) out += ',';
        out += jsonString(k.messages[i]);
    }
    return out + "]}";
}

/// A JSON array of numbers; null for one that is not finite (an unknown error).
std::string numbersJson(const std::vector<double>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += std::isfinite(values[i]) ? formatNumber(values[i]) : "null";
    }
    return out + ']';
}

std::string fitJson(const FitResult& fit) {
    std::string model = fit.model == FitModel::Line       ? "gerade"
                        : fit.model == FitModel::Parabola ? "parabel"
                                                          : "sinus";
    std::string out = "{\"model\":" + jsonString(model);
    if (!fit.ok()) return out + ",\"error\":" + jsonString(fit.error) + '}';
    const std::string r2 = std::isfinite(fit.r2) ? formatNumber(fit.r2) : "null";
    return out + ",\"params\":" + numbersJson(fit.params) +
           ",\"errors\":" + numbersJson(fit.errors) + ",\"r2\":" + r2 +
           ",\"n\":" + std::to_string(fit.n) + '}';
}

/// The measurement's grids of a slot, the differences over its spread.
KinematicsGrids gridsOf(const Measurement& m, SlotNumber slot) {
    return slotKinematics(slot, m.grid(slot), m.film.timing, m.range.start,
                          m.evaluationChoices.spread);
}

}  // namespace

std::string jsonSlots(const ResultDisplay& display,
                      const std::function<std::string(SlotNumber)>& value) {
    std::string out = "{";
    for (SlotNumber slot : {1, 2}) {
        if (!display.analyses(slot)) continue;
        if (out.size() > 1) out += ',';
        out += '"' + std::to_string(slot) + "\":" + value(slot);
    }
    return out + '}';
}

std::string kinematicsJson(const Measurement& m, int strength) {
    return ",\"kinematics\":" + jsonSlots(m.display, [&](SlotNumber slot) {
               return slotJson(gridsOf(m, slot), strength);
           });
}

int parseStrength(const std::string& text) {
    const int n = parseInt(text, "--strength", 1, 9);
    if (n % 2 == 0) throw UsageError("--strength erwartet 1, 3, 5, 7 oder 9, nicht " + text);
    return n;
}

std::vector<FitRequest> parseFits(const std::vector<std::string>& texts) {
    constexpr std::array<std::pair<const char*, Diagram>, 8> kDiagrams{{{"x-t", Diagram::XT},
                                                                        {"y-t", Diagram::YT},
                                                                        {"v-t", Diagram::VT},
                                                                        {"vx-t", Diagram::VXT},
                                                                        {"vy-t", Diagram::VYT},
                                                                        {"a-t", Diagram::AT},
                                                                        {"ax-t", Diagram::AXT},
                                                                        {"ay-t", Diagram::AYT}}};
    constexpr std::array<std::pair<const char*, FitModel>, 3> kModels{
        {{"gerade", FitModel::Line}, {"parabel", FitModel::Parabola}, {"sinus", FitModel::Sine}}};
    std::vector<FitRequest> fits;
    for (const std::string& text : texts) {
        const auto colon = text.find(':');
        const std::string name = text.substr(0, colon);
        const std::string model = colon == std::string::npos ? "" : text.substr(colon + 1);
        const auto d = std::find_if(kDiagrams.begin(), kDiagrams.end(),
                                    [&](const auto& e) { return name == e.first; });
        const auto f = std::find_if(kModels.begin(), kModels.end(),
                                    [&](const auto& e) { return model == e.first; });
        if (d == kDiagrams.end() || f == kModels.end())
            throw UsageError(
                "--fit erwartet DIAGRAMM:MODELL (x-t, y-t, v-t, vx-t, vy-t, a-t, "
                "ax-t, ay-t; gerade, parabel, sinus), nicht " +
                text);
        for (const FitRequest& earlier : fits)
            if (earlier.diagramName == name)
                throw UsageError("--fit: das Diagramm " + name + " ist doppelt angegeben");
        fits.push_back({d->second, name, f->second});
    }
    return fits;
}

int parseSpread(const std::string& text) { return parseInt(text, "--spread", 1, 50); }

std::string fitsJson(const Measurement& m, const std::vector<FitRequest>& fits) {
    return ",\"fits\":" + jsonSlots(m.display, [&](SlotNumber slot) {
               const KinematicsGrids grids = gridsOf(m, slot);
               std::string out = "{";
               for (const FitRequest& f : fits) {
                   if (out.size() > 1) out += ',';
                   const auto points = diagramPoints(f.diagram, grids);
                   out += jsonString(f.diagramName) + ':' + fitJson(fitPoints(f.model, points));
               }
               return out + '}';
           });
}

}  // namespace zebak::cli

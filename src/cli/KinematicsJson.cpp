#include "KinematicsJson.h"

#include <array>

#include "Arguments.h"
#include "core/Diagrams.h"
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
               return slotJson(slotKinematics(slot, m.grid(slot), m.film.timing, m.range.start),
                               strength);
           });
}

int parseStrength(const std::string& text) {
    const int n = parseInt(text, "--strength", 1, 9);
    if (n % 2 == 0) throw UsageError("--strength erwartet 1, 3, 5, 7 oder 9, nicht " + text);
    return n;
}

}  // namespace zebak::cli

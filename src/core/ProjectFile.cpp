#include "ProjectFile.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "AnalysisJob.h"
#include "FileWrite.h"
#include "Kinematics.h"
#include "ProjectFields.h"

namespace zebak {
namespace fs = std::filesystem;
using nlohmann::json;

namespace project {
namespace {

/// A project file larger than this is not one this program wrote.
constexpr std::uintmax_t kMostBytes = std::uintmax_t{256} << 20;

template <typename T>
struct IsVector : std::false_type {};
template <typename T>
struct IsVector<std::vector<T>> : std::true_type {};
template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};
template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};

[[noreturn]] void damaged(const std::string& where) {
    throw ProjectError("Die Analyse ist beschädigt: „" + where +
                       "“ fehlt oder hat einen unbrauchbaren Wert.");
}

json gridJson(const PositionGrid& grid) {
    json rows = json::array();
    for (int r = 0; r < grid.rowCount(); ++r)
        rows.push_back({grid.cell(r, 0), grid.cell(r, 1), grid.cell(r, 2)});
    return rows;
}

template <typename T>
json toJson(const T& v) {
    if constexpr (std::is_same_v<T, PositionGrid>) {
        return gridJson(v);
    } else if constexpr (std::is_enum_v<T>) {
        return enumNames(v).at(static_cast<std::size_t>(v));
    } else if constexpr (IsOptional<T>::value) {
        return v ? toJson(*v) : json(nullptr);
    } else if constexpr (IsVector<T>::value || IsArray<T>::value) {
        json list = json::array();
        for (const auto& e : v) list.push_back(toJson(static_cast<typename T::value_type>(e)));
        return list;
    } else if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, std::string>) {
        return json(v);
    } else {
        json out = json::object();
        auto write = [&out](const char* name, const auto& field) { out[name] = toJson(field); };
        fields(write, v);
        return out;
    }
}

template <typename T>
void fromJson(const json& j, T& v, const std::string& where);

/// A whole number within T's range; anything else is refused.
template <typename T>
void readInteger(const json& j, T& v, const std::string& where) {
    if (!j.is_number_integer()) damaged(where);
    if (j.is_number_unsigned()) {
        const auto n = j.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) damaged(where);
        v = static_cast<T>(n);
        return;
    }
    const auto n = j.get<std::int64_t>();
    if (n < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        n > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
        damaged(where);
    v = static_cast<T>(n);
}

template <typename T>
void readEnum(const json& j, T& v, const std::string& where) {
    if (!j.is_string()) damaged(where);
    const auto& names = enumNames(v);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (j.get_ref<const std::string&>() == names[i]) {
            v = static_cast<T>(i);
            return;
        }
    damaged(where);
}

void readGrid(const json& j, PositionGrid& grid, const std::string& where) {
    if (!j.is_array() || j.empty()) damaged(where);
    grid.setRowCount(static_cast<int>(j.size()));
    for (std::size_t r = 0; r < j.size(); ++r) {
        std::array<std::string, PositionGrid::kColumns> row;
        fromJson(j[r], row, where);
        for (int c = 0; c < PositionGrid::kColumns; ++c)
            grid.setCell(static_cast<int>(r), c, std::move(row[static_cast<std::size_t>(c)]));
    }
}

template <typename T>
void fromJson(const json& j, T& v, const std::string& where) {
    if constexpr (std::is_same_v<T, PositionGrid>) {
        readGrid(j, v, where);
    } else if constexpr (std::is_same_v<T, bool>) {
        if (!j.is_boolean()) damaged(where);
        v = j.get<bool>();
    } else if constexpr (std::is_integral_v<T>) {
        readInteger(j, v, where);
    } else if constexpr (std::is_floating_point_v<T>) {
        if (!j.is_number()) damaged(where);
        v = j.get<T>();
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!j.is_string()) damaged(where);
        v = j.get<std::string>();
    } else if constexpr (std::is_enum_v<T>) {
        readEnum(j, v, where);
    } else if constexpr (IsOptional<T>::value) {
        if (j.is_null()) {
            v.reset();
            return;
        }
        typename T::value_type inner{};
        fromJson(j, inner, where);
        v = std::move(inner);
    } else if constexpr (IsArray<T>::value) {
        if (!j.is_array() || j.size() != v.size()) damaged(where);
        for (std::size_t i = 0; i < v.size(); ++i) fromJson(j[i], v[i], where);
    } else if constexpr (IsVector<T>::value) {
        if (!j.is_array()) damaged(where);
        T list;
        list.reserve(j.size());
        for (const json& e : j) {
            typename T::value_type item{};
            fromJson(e, item, where);
            list.push_back(std::move(item));
        }
        v = std::move(list);
    } else {
        if (!j.is_object()) damaged(where);
        auto read = [&j, &where](const char* name, auto& field) {
            const auto it = j.find(name);
            if (it != j.end()) fromJson(*it, field, where.empty() ? name : where + "." + name);
        };
        fields(read, v);
    }
}

/// Every row of a filled evaluation grid has as many cells as the grid the program fills.
void checkGrid(const TextGrid& grid, const TextGrid& filled, const std::string& where) {
    if (grid.empty()) return;
    const std::size_t columns = filled.front().size();
    for (const auto& row : grid)
        if (row.size() != columns) damaged(where);
}

/// Values that the program could not have saved are refused, so that nothing later has to
/// cope with them.
void checkValues(const Measurement& m) {
    if (m.film.size.width < 0 || m.film.size.height < 0) damaged("film.size");
    if (m.range.start < 0 || m.range.start > m.range.end) damaged("range");
    if (m.display.brakeMs < 0 || m.display.brakeMs > 1000) damaged("display.brake");
    const EvaluationChoices& e = m.evaluationChoices;
    if (e.trendStrength < 1 || e.trendStrength > 9 || e.trendStrength % 2 == 0)
        damaged("evaluationChoices.trendStrength");
    if (e.spread < 1 || e.spread > 50) damaged("evaluationChoices.spread");
    for (SlotNumber slot : {1, 2}) {
        if (const std::string problem = checkSlotSettings(slot, m.settings(slot)); !problem.empty())
            throw ProjectError("Die Analyse ist beschädigt: " + problem);
        const KinematicsGrids filled = fillKinematics(slot, PositionGrid(), 25);
        const KinematicsGrids& g = m.evaluation.at(static_cast<std::size_t>(slot - 1));
        checkGrid(g.positions, filled.positions, "evaluation.positions");
        checkGrid(g.velocities, filled.velocities, "evaluation.velocities");
        checkGrid(g.accelerations, filled.accelerations, "evaluation.accelerations");
    }
}

}  // namespace
}  // namespace project

std::string projectText(const Measurement& measurement, const ProjectFilm& film) {
    json doc = project::toJson(measurement);
    doc["format"] = kProjectFormat;
    doc["version"] = kProjectVersion;
    doc["filmFile"] = project::toJson(film);
    // Invalid UTF-8 in a cell a user typed is replaced rather than refused: saving never fails
    // for the text of a cell.
    return doc.dump(1, '\t', false, json::error_handler_t::replace) + "\n";
}

Project parseProject(std::string_view text) {
    const json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded())
        throw ProjectError(
            "Die Datei ist keine lesbare Zebak-Analyse: sie ist beschädigt oder "
            "unvollständig.");
    const auto format = doc.is_object() ? doc.find("format") : doc.end();
    if (format == doc.end() || *format != kProjectFormat)
        throw ProjectError("Die Datei ist keine Zebak-Analyse.");
    const auto version = doc.find("version");
    if (version == doc.end() || !version->is_number_integer() || *version < 1)
        throw ProjectError("Die Analyse ist beschädigt: die Versionsnummer fehlt.");
    if (*version > kProjectVersion)
        throw ProjectError(
            "Die Analyse wurde mit einer neueren Zebak-Version gespeichert (Format " +
            version->dump() + ") und kann mit dieser Version nicht geöffnet werden.");
    Project p;
    project::fromJson(doc, p.measurement, "");
    if (const auto film = doc.find("filmFile"); film != doc.end())
        project::fromJson(*film, p.film, "filmFile");
    project::checkValues(p.measurement);
    return p;
}

std::string relativeFilmPath(const std::string& filmPath, const std::string& projectPath) {
    if (filmPath.empty()) return {};
    std::error_code ec;
    const fs::path film = fs::absolute(filmPath, ec);
    if (ec) return {};
    const fs::path folder = fs::absolute(projectPath, ec).parent_path();
    if (ec) return {};
    return film.lexically_normal().lexically_relative(folder.lexically_normal()).generic_string();
}

void writeProject(const std::string& path, const Measurement& measurement, ProjectFilm film) {
    film.relativePath = relativeFilmPath(measurement.film.path, path);
    Measurement saved = measurement;
    std::error_code ec;
    if (!saved.film.path.empty()) {
        const fs::path absolute = fs::absolute(saved.film.path, ec);
        if (!ec) saved.film.path = absolute.lexically_normal().string();
    }
    saved.resultImage = {};
    writeFileSafely(path, projectText(saved, film));
}

Project readProject(const std::string& path) {
    std::error_code ec;
    const bool regular = fs::is_regular_file(path, ec);
    const auto size = regular ? fs::file_size(path, ec) : 0;
    std::ifstream in(path, std::ios::binary);
    if (!regular || ec || !in)
        throw ProjectError("Die Analyse „" + path + "“ kann nicht gelesen werden.");
    if (size > project::kMostBytes)
        throw ProjectError("Die Datei „" + path + "“ ist zu groß für eine Zebak-Analyse.");
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parseProject(text);
}

std::string findProjectFilm(const Project& project, const std::string& projectPath) {
    std::error_code ec;
    const std::string& relative = project.film.relativePath;
    if (!relative.empty()) {
        const fs::path beside = fs::absolute(projectPath, ec).parent_path() / relative;
        if (!ec && fs::is_regular_file(beside, ec)) return beside.lexically_normal().string();
    }
    const std::string& absolute = project.measurement.film.path;
    if (!absolute.empty() && fs::is_regular_file(absolute, ec)) return absolute;
    return {};
}

}  // namespace zebak

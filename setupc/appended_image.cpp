#include "setupc/appended_image.h"

#include <stdexcept>

#include "engine/startup/pe_image.h"

namespace zk::setupc {

std::optional<std::uint64_t> RegularImageEnd(std::string_view fileBytes) {
    const auto end = startup::PeImageEnd(fileBytes);
    if (!end || *end > fileBytes.size()) return std::nullopt;
    return end;
}

std::string WithAppendedData(std::string_view fileBytes, std::string_view appended) {
    const auto end = RegularImageEnd(fileBytes);
    if (!end) throw std::runtime_error("not a complete PE executable or library");
    std::string out(fileBytes.substr(0, static_cast<std::size_t>(*end)));
    out += appended;
    return out;
}

std::string ScriptImageOfFile(std::string_view fileBytes) {
    if (fileBytes.size() < 2 || fileBytes[0] != 'M' || fileBytes[1] != 'Z')
        return std::string(fileBytes);
    const auto end = RegularImageEnd(fileBytes);
    if (!end) throw std::runtime_error("not a complete PE executable");
    if (*end == fileBytes.size())
        throw std::runtime_error("this executable carries no script image");
    return std::string(fileBytes.substr(static_cast<std::size_t>(*end)));
}

} // namespace zk::setupc

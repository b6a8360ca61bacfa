#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fendry {

// A random identifier made anew for every method row at each launch; never stored.
struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    static Uuid random();
    bool operator==(const Uuid&) const = default;
};

// How many times every file of a run is overwritten before it is removed.
struct ShredMethod {
    Uuid id;
    std::string name;
    std::int64_t passes = 1;
    std::string description;

    // Identity is the id alone, whatever the other fields hold.
    bool operator==(const ShredMethod& other) const { return id == other.id; }
};

// The fixed, ordered table of methods; the row index is what the preference stores.
const std::vector<ShredMethod>& allMethods();

}  // namespace fendry

template <>
struct std::hash<fendry::Uuid> {
    std::size_t operator()(const fendry::Uuid& uuid) const noexcept;
};

template <>
struct std::hash<fendry::ShredMethod> {
    std::size_t operator()(const fendry::ShredMethod& method) const noexcept {
        return std::hash<fendry::Uuid>{}(method.id);
    }
};

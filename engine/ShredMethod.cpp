#include "ShredMethod.h"

#include <random>
#include <string_view>

namespace fendry {

Uuid Uuid::random() {
    // Ids only tell rows apart within one process; they need no cryptographic strength.
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    Uuid uuid;
    for (std::size_t i = 0; i < uuid.bytes.size(); i += 8) {
        std::uint64_t word = generator();
        for (std::size_t j = 0; j < 8; ++j) {
            uuid.bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    uuid.bytes[6] = static_cast<std::uint8_t>((uuid.bytes[6] & 0x0f) | 0x40);  // version 4
    uuid.bytes[8] = static_cast<std::uint8_t>((uuid.bytes[8] & 0x3f) | 0x80);  // RFC 4122 variant
    return uuid;
}

const std::vector<ShredMethod>& allMethods() {
    // A function-local static is built once, thread-safely, on first use.
    static const std::vector<ShredMethod> methods{
        {Uuid::random(), "Quick", 1,
         "Fast, single-pass deletion, sufficient for most personal use cases"},
        {Uuid::random(), "Safe", 7,
         "Secure, 7-pass erasure; meets government standards for data sanitization"},
        {Uuid::random(), "Stealth", 35,
         "Maximum-security, 35-pass mode; makes data recovery virtually impossible"},
    };
    return methods;
}

}  // namespace fendry

std::size_t std::hash<fendry::Uuid>::operator()(const fendry::Uuid& uuid) const noexcept {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(uuid.bytes.data()), uuid.bytes.size()));
}

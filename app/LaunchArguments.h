#pragma once

#include <filesystem>
#include <vector>

namespace fendry {

// The items a launch was asked to open: local paths (made absolute against `workingFolder`) and
// file URLs, as a file manager passes them. URLs of any other kind are ignored. Paths are kept byte
// for byte and are not resolved: "a/link/.." must name what the kernel would find, not "a".
std::vector<std::filesystem::path> itemsFromArguments(const std::vector<std::string>& arguments,
                                                      const std::filesystem::path& workingFolder);

}  // namespace fendry

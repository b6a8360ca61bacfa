#pragma once

#include <string>

#include "FileOps.h"
#include "ShredPass.h"

namespace fendry {

// Names go with the files: before an entry is removed it is renamed to a random name, so that
// what the folder last held of it is no longer its name.

// `length` random letters and digits.
std::string randomName(std::size_t length);

// Renames the entry `name` of `folder`, held and checked to be `identity`, to a random name of
// the same length that nothing else has; `renamed` gets it. The caller syncs the folder.
PassResult renameAway(FileOps& ops, int folder, const std::string& name, const Identity& identity,
                      std::string& renamed);

}  // namespace fendry

#include "NameWipe.h"

#include <cerrno>
#include <vector>

#include "RandomSource.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

// Tries before a name that nothing else has is given up for; a folder holding every name of
// one or two letters makes them run out.
constexpr int kNameTries = 16;

}  // namespace

std::string randomName(std::size_t length) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<std::byte> bytes(length);
    if (!cryptoRandomBytes(bytes)) {
        bytes.assign(length, std::byte{0});  // still a valid name; the tries below vary it
    }
    std::string name(length, 'x');
    for (std::size_t i = 0; i < length; ++i) {
        name[i] = kLetters[static_cast<unsigned>(bytes[i]) % (sizeof kLetters - 1)];
    }
    return name;
}

PassResult renameAway(FileOps& ops, int folder, const std::string& name, const Identity& identity,
                      std::string& renamed) {
    int fd = -1;
    if (const int error = ops.openEntryAt(folder, name, fd); error != 0) {
        return failedAt(error == ENOENT ? Step::NotFound : Step::Changed, error);
    }
    EntryInfo held;
    PassResult result;
    if (const int error = ops.statOpen(fd, held); error != 0) {
        result = failedAt(Step::Inspect, error);
    } else if (!identity.matches(held)) {
        result = failedAt(Step::Changed);
    } else {
        int error = EEXIST;
        for (int tries = 0; error == EEXIST && tries < kNameTries; ++tries) {
            renamed = randomName(name.size());
            error = ops.renameAt(folder, name, renamed);
        }
        EntryInfo now;
        if (error != 0) {
            result = failedAt(Step::Rename, error);
        } else if (ops.statAt(folder, renamed, now) != 0 || !identity.matches(now)) {
            // Another entry took the name between the check and the rename: it goes back.
            ops.renameAt(folder, renamed, name);
            result = failedAt(Step::Changed);
        }
    }
    ops.close(fd);
    return result;
}

}  // namespace fendry

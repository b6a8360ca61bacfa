#include "WorkList.h"

#include <algorithm>

namespace fendry {

namespace {

template <typename Value>
const Value* findAt(const std::vector<std::pair<std::size_t, Value>>& sorted, std::size_t key) {
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), key,
                                        [](const std::pair<std::size_t, Value>& item,
                                           std::size_t wanted) { return item.first < wanted; });
    return found != sorted.end() && found->first == key ? &found->second : nullptr;
}

}  // namespace

NameRef WorkList::addName(std::string_view name) {
    // A name never straddles two blocks (NAME_MAX is far below a block).
    if (usedInLastBlock_ + name.size() > kNameBlockSize) {
        nameBlocks_.push_back(std::make_unique_for_overwrite<char[]>(kNameBlockSize));
        usedInLastBlock_ = 0;
    }
    const NameRef ref{((nameBlocks_.size() - 1) << kNameBlockBits) | usedInLastBlock_,
                      static_cast<std::uint16_t>(name.size())};
    std::copy(name.begin(), name.end(), nameBlocks_.back().get() + usedInLastBlock_);
    usedInLastBlock_ += name.size();
    return ref;
}

std::string_view WorkList::nameOf(NameRef name) const {
    const char* block = nameBlocks_[name.offset >> kNameBlockBits].get();
    return {block + (name.offset & (kNameBlockSize - 1)), name.length};
}

std::string WorkList::prefixOf(FolderIndex folder) const {
    // Climbs to a base, collecting names, so that no path is ever stored per folder.
    std::vector<std::string_view> names;
    FolderIndex at = folder;
    while (folders[at].parent != kNoFolder) {
        names.push_back(nameOf(folders[at]));
        at = folders[at].parent;
    }
    const std::string& base = bases[folders[at].base].shown;
    std::string path = base == "." ? std::string() : base;  // as the user wrote a relative path
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path += *name;
        path += '/';
    }
    return path;
}

std::filesystem::path WorkList::pathOfFolder(FolderIndex folder) const {
    const std::string prefix = prefixOf(folder);
    return prefix.empty() ? std::filesystem::path("./") : std::filesystem::path(prefix);
}

std::filesystem::path WorkList::pathOf(std::size_t entry) const {
    return prefixOf(entries[entry].folder) + std::string(nameOf(entries[entry]));
}

const WorkList::HardLink* WorkList::hardLinkAt(std::size_t entry) const {
    return findAt(hardLinks, entry);
}

std::optional<std::size_t> WorkList::firstNameOf(std::size_t entry) const {
    const std::size_t* first = findAt(laterNames, entry);
    return first ? std::optional(*first) : std::nullopt;
}

}  // namespace fendry

#pragma once

#include <QString>
#include <QUrl>
#include <filesystem>
#include <optional>

// File names on Linux are bytes, not text. These helpers move them between paths, URLs and the
// strings the screen shows without ever decoding a name into a different one.

namespace fendry {

// The local path a file URL names, byte for byte; empty for any other URL.
std::optional<std::filesystem::path> localPathOf(const QUrl& url);

// A file URL for `path` that keeps every byte of the name.
QUrl fileUrlOf(const std::filesystem::path& path);

// A string that stands for exactly one path and back again; used to identify list entries.
QString entryKeyOf(const std::filesystem::path& path);
std::filesystem::path entryOfKey(const QString& key);

// `text` with every character that would break a line, move the text or hide itself shown as
// a visible symbol: a name must look like one line of exactly the characters it holds.
QString visibleText(const QString& text);

// The name to show: the last component, a folder's own name for a folder entry.
QString displayNameOf(const std::filesystem::path& entry);
// The whole path to show, as visible text.
QString displayPathOf(const std::filesystem::path& path);

}  // namespace fendry

#pragma once

#include <filesystem>

// Shows the item selected in the desktop's file manager; when no file manager answers, opens
// the folder that holds it. Fire and forget: nothing is reported.
void revealInFileManager(const std::filesystem::path& entry);

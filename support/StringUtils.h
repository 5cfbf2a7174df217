// Small string and file helpers shared across the program.
#pragma once

#include "support/PathRules.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

enum TFileKind : std::uint8_t { fkHtml = 0, fkImage = 1, fkOther = 2 };

// Replaces every occurrence of Find in Text, left to right, up to Text's first zero byte.
std::string ReplaceAll(std::string_view Text, std::string_view Find, std::string_view Replacement);
// The same over the whole text: zero bytes are searched past, for a file's real bytes.
std::string ReplaceAllBytes(std::string_view Text, std::string_view Find,
                            std::string_view Replacement);
// Text without the characters of Blanks at its two ends.
std::string Trimmed(std::string_view Text, std::string_view Blanks = " \t");
// Sum of the first six bytes of the upper-cased bare file name.
std::int32_t FileNameHash(std::string_view Path, TPathStyle Style);
// The kind of a file from its upper-cased extension (with its dot) and the two extension lists.
TFileKind FileKindOf(std::string_view Extension, std::string_view ExtListHTML,
                     std::string_view ExtListImg);
// True when the path names an existing folder (symbolic links followed).
bool DirExists(const std::string& Path);
// True when the path names an existing regular file (symbolic links followed).
bool FileExists(const std::string& Path);
// True when something is at the path but, links followed, it is no regular file.
bool IsSpecialEntry(const std::string& Path);

} // namespace orvel

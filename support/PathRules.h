// Path rules written once for both path styles: the host's POSIX paths, which the program uses,
// and Windows paths (C:\SITE\...), in which the tests run their link tables a second time so
// that a rule that only holds for "/" shows.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

enum class TPathStyle { psPosix, psWindows };

char PathSeparator(TPathStyle Style);
// True when the byte at Index separates folders (never the trail byte of a double-byte character).
bool IsPathSeparatorAt(std::string_view Path, size_t Index, TPathStyle Style);
// Index of the last separator, or npos.
size_t LastSeparator(std::string_view Path, TPathStyle Style);
// The name after the last separator (and, in Windows style, after a drive colon).
std::string BareFileName(std::string_view Path, TPathStyle Style);
// Where that name begins in Path.
size_t BareFileNameStart(std::string_view Path, TPathStyle Style);
// The path up to and including its last separator; empty when it has none.
std::string ExtractFolder(std::string_view Path, TPathStyle Style);
// The extension of the bare name with its dot, or empty when the name has no dot.
std::string ExtractExtension(std::string_view Path, TPathStyle Style);
std::string IncludeTrailingSeparator(std::string_view Path, TPathStyle Style);
// Makes every "/" and "\" of Path from From on the style's separator, as in link targets, where
// both separate folders; the second byte of a double-byte character is never taken for one.
void UnifySeparators(std::string& Path, size_t From, TPathStyle Style);
// True for a path that does not depend on the current folder: one that begins with a separator
// (or, in Windows style, with a drive).
bool IsAbsolutePath(std::string_view Path, TPathStyle Style);
// Lexical full-path expansion: "." and ".." resolved, repeated separators collapsed, a trailing
// separator kept; a relative path is taken relative to the current folder.
std::string ExpandFileName(std::string_view Path, TPathStyle Style);
// The same into Result, whose capacity is reused; Result must not hold Path.
void ExpandFileNameInto(std::string& Result, std::string_view Path, TPathStyle Style);
// The folder that holds a file: the path up to its last separator, without that separator unless
// it is the root's (or follows a drive colon).
std::string ContainingFolder(std::string_view Path, TPathStyle Style);

} // namespace orvel

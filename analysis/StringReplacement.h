// Replacing a text throughout one of the site's files, written back safely.
#pragma once

#include "support/Charset.h"

#include <string>

namespace orvel {

class TRunContext;

// Replaces every occurrence of OldText, bytes of the page, in the file's real bytes (NUL bytes
// kept), exact and left to right, by NewUtf8 written in the page's charset, and writes the file
// back through a temporary file renamed over it: a read-only file or folder or a full disk leaves
// it byte-identical and shows a warning. A character the charset cannot hold stops it before
// the file is read, with an error naming the character; a file that cannot be read is reported
// and left alone. Success ends with the information sound and box. Nothing is checked again
// afterwards. True when the file was written.
bool ReplaceStringInFile(TRunContext& Run, const std::string& Path, TCharset Charset,
                         const std::string& OldText, const std::string& NewUtf8);

} // namespace orvel

// The INI reader and writer: any text reads without failing; what is written reads back as the
// same file, and a value written reads back unchanged (up to the longest value read).
//
// Input: the file's text, then a 0xFF byte and a value to write (optional).
#include "FuzzSupport.h"

#include "support/IniFile.h"

#include <cstdint>

using namespace orvel;
using namespace orvel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static TMemoryFile First, Second;
    const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
    const size_t Split = Input.find('\xFF');
    const std::string_view Text = Input.substr(0, Split);
    const std::string Value(Split == std::string_view::npos ? "" : Input.substr(Split + 1));

    TIniFile File(First.Hold(Text));
    File.WriteString("Fuzz", "Value", Value);
    std::string Written;
    try {
        Written = File.Text();
    } catch (const EIniWriteError&) {
        // A CR or NUL inside a line, or in the value: no line can hold it.
        return 0;
    }
    const TIniFile Again(Second.Hold(Written));
    Require(Again.Text() == Written, "a written file reads back as the same file");
    Require(Again.ReadString("Fuzz", "Value", "-") == Value.substr(0, TIniFile::MaxValueBytes),
            "a written value reads back unchanged");
    return 0;
}

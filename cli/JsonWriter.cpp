#include "cli/JsonWriter.h"

#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/Utf8.h"

#include <ostream>

namespace orvel::cli {

namespace {

const char* const Replacement = "\xEF\xBF\xBD"; // U+FFFD

// Appends UTF-8 text escaped for a JSON string, with invalid sequences as U+FFFD; runs of
// bytes that need nothing are copied whole.
void AppendEscaped(std::string& Out, std::string_view Text) {
    static const char* const Hex = "0123456789abcdef";
    for (size_t Pos = 0; Pos < Text.size();) {
        size_t Plain = Pos;
        while (Plain < Text.size()) {
            const unsigned char B = static_cast<unsigned char>(Text[Plain]);
            if (B < 0x20 || B >= 0x80 || B == '"' || B == '\\') break;
            ++Plain;
        }
        Out.append(Text.substr(Pos, Plain - Pos));
        if ((Pos = Plain) == Text.size()) break;
        const char C = Text[Pos];
        const unsigned char B = static_cast<unsigned char>(C);
        if (B >= 0x80) {
            const size_t Length = Utf8SequenceLength(Text, Pos);
            if (Length == 0) {
                Out += Replacement;
                ++Pos;
            } else {
                Out.append(Text.substr(Pos, Length));
                Pos += Length;
            }
            continue;
        }
        if (C == '"' || C == '\\') {
            Out += '\\';
            Out += C;
        } else if (C == '\n') {
            Out += "\\n";
        } else if (C == '\r') {
            Out += "\\r";
        } else if (C == '\t') {
            Out += "\\t";
        } else {
            Out += "\\u00";
            Out += Hex[B >> 4];
            Out += Hex[B & 15];
        }
        ++Pos;
    }
}

} // namespace

std::string ToUtf8(const std::string& Bytes) {
    if (CurrentCodePage() == TCodePage::cpCp932)
        return ConvertCharset("UTF-8", "CP932", Bytes, Replacement);
    size_t Ascii = 0;
    while (Ascii < Bytes.size() && static_cast<unsigned char>(Bytes[Ascii]) < 0x80)
        ++Ascii;
    if (Ascii == Bytes.size()) return Bytes;
    return WithValidUtf8(Bytes, Replacement);
}

TJsonWriter& TJsonWriter::String(std::string_view Bytes) {
    Out += '"';
    if (CurrentCodePage() == TCodePage::cpCp932)
        AppendEscaped(Out, ToUtf8(std::string(Bytes)));
    else
        AppendEscaped(Out, Bytes); // UTF-8 already: only what is invalid changes
    Out += '"';
    return *this;
}

TJsonWriter& TJsonWriter::Utf8(std::string_view Text) {
    Out += '"';
    AppendEscaped(Out, Text);
    Out += '"';
    return *this;
}

TJsonWriter& TJsonWriter::Number(long long Value) {
    Out += std::to_string(Value);
    return *this;
}

void TJsonWriter::FlushWhenLarge() {
    if (Out.size() > (1u << 16)) Flush();
}

void TJsonWriter::Flush() {
    Stream << Out;
    Out.clear();
}

} // namespace orvel::cli

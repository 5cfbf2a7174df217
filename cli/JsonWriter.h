// JSON written to a stream in large pieces, with the program's byte strings as UTF-8.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace orvel::cli {

// A byte string of the code page as UTF-8, with undecodable bytes as U+FFFD.
std::string ToUtf8(const std::string& Bytes);

// Gathers JSON text and hands it to the stream once 64 KiB have gathered: a report is never
// whole in memory, nor one page's part of it.
class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream& Output) : Stream(Output) {}
    TJsonWriter(const TJsonWriter&) = delete;
    TJsonWriter& operator=(const TJsonWriter&) = delete;

    // JSON text as it stands.
    TJsonWriter& operator<<(std::string_view Text) {
        Out += Text;
        return *this;
    }
    TJsonWriter& operator<<(char C) {
        Out += C;
        return *this;
    }
    // A byte string of the code page as a JSON string.
    TJsonWriter& String(std::string_view Bytes);
    // UTF-8 text as a JSON string, with invalid sequences as U+FFFD.
    TJsonWriter& Utf8(std::string_view Text);
    TJsonWriter& Number(long long Value);
    TJsonWriter& Bool(bool Value) { return *this << (Value ? "true" : "false"); }
    // An array of byte strings, given to the stream as it grows.
    template <typename List> TJsonWriter& Array(const List& Items) {
        Out += '[';
        bool First = true;
        for (const std::string& Item : Items) {
            if (!First) Out += ", ";
            First = false;
            String(Item);
            FlushWhenLarge();
        }
        Out += ']';
        return *this;
    }
    // Hands what has gathered to the stream when it is large.
    void FlushWhenLarge();
    // Hands everything to the stream.
    void Flush();

private:
    std::ostream& Stream;
    std::string Out;
};

} // namespace orvel::cli

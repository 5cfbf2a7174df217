// INI files with the profile-string rules: names compare without case, blanks around keys and
// values are trimmed, a value in matching quotes loses them, CR LF or LF line ends, values read
// up to 2,047 bytes. Writing replaces the whole file through a temporary file and a rename.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace orvel {

// A file could not be written; the text names it.
class EIniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    // Reads the file when it exists; a missing or unreadable file is an empty one.
    explicit TIniFile(std::string Path);
    // An empty file that will be written to Path.
    static TIniFile Empty(std::string Path);

    const std::string& Path() const { return FilePath; }

    std::string ReadString(const std::string& Section, const std::string& Key,
                           const std::string& Default) const;
    // Decimal or 0x hexadecimal; missing or not a number gives the default.
    long long ReadInteger(const std::string& Section, const std::string& Key,
                          long long Default) const;
    // True when the integer value is not 0.
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

    void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Key, long long Value);
    void WriteBool(const std::string& Section, const std::string& Key, bool Value);

    // Writes every section to the file. On failure the old file is left as it was and
    // EIniWriteError names the file.
    void UpdateFile() const;

    static constexpr size_t MaxValueBytes = 2047;

private:
    struct TEntry {
        std::string Key, Value;
    };
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
    };
    TIniFile() = default;
    const std::string* Find(const std::string& Section, const std::string& Key) const;

    std::string FilePath;
    std::vector<TSection> Sections;
};

// Parses an integer as the INI reader does; false when the text is not a number.
bool ParseIniInteger(const std::string& Text, long long& Value);

} // namespace orvel

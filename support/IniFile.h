// INI files as the settings and project files use them: names compare without case, blanks around
// keys and values are trimmed, a value in matching quotes loses them, CR LF or LF line ends, values
// read up to 2,047 bytes. Keys are indexed, so reading and writing take time linear in the file.
// Writing replaces the whole file through SaveFileSafely.
#pragma once

#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvel {

// An INI file could not be read or written; the text names it.
class EIniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file is there but cannot be read as an INI file: no regular file, too large, unreadable.
class EIniReadError : public EIniFileError {
public:
    using EIniFileError::EIniFileError;
};

// A file could not be written ("<path> に書き込めません"); the old file stays as it was.
class EIniWriteError : public EIniFileError {
public:
    using EIniFileError::EIniFileError;
};

class TIniFile {
public:
    // Reads the file; a missing file is an empty one. Throws EIniReadError for what is not a
    // regular file, for a file larger than MaxFileBytes and for one that cannot be read.
    explicit TIniFile(std::string Path);
    // An empty file that will be written to Path.
    static TIniFile Empty(std::string Path);

    const std::string& Path() const { return FilePath; }

    std::string ReadString(const std::string& Section, const std::string& Key,
                           const std::string& Default) const;
    // True when the section has the key, whatever its value.
    bool HasKey(const std::string& Section, const std::string& Key) const {
        return Find(Section, Key) != nullptr;
    }
    // Decimal or 0x hexadecimal; missing or not a number gives the default.
    long long ReadInteger(const std::string& Section, const std::string& Key,
                          long long Default) const;
    // True when the integer value is not 0.
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

    void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Key, long long Value);
    void WriteBool(const std::string& Section, const std::string& Key, bool Value);

    // The file's text as UpdateFile writes it: a value with blanks at either end, or enclosed
    // in a pair of quotes, is written in quotes, so that it reads back as it was. Throws
    // EIniWriteError naming the entry when a value holds a CR, LF or NUL, which no line can hold.
    std::string Text() const;
    // Writes every section to the file. On failure the old file is left as it was and
    // EIniWriteError names the file.
    void UpdateFile() const;

    static constexpr size_t MaxValueBytes = 2047;
    static constexpr size_t MaxFileBytes = 16 * 1024 * 1024;

private:
    struct TEntry {
        std::string Key, Value;
    };
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
        std::unordered_map<std::string, size_t> Index; // folded key to its first entry
    };
    TIniFile() = default;
    void Parse(const std::string& Text);
    TSection& SectionNamed(const std::string& Name);
    const std::string* Find(const std::string& Section, const std::string& Key) const;

    std::string FilePath;
    std::vector<TSection> Sections;
    std::unordered_map<std::string, size_t> SectionIndex; // folded name to its section
};

// Parses an integer as the INI reader does; false when the text is not a number.
bool ParseIniInteger(const std::string& Text, long long& Value);

} // namespace orvel

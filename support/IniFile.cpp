#include "support/IniFile.h"

#include "support/CodePage.h"
#include "support/InputFile.h"
#include "support/SafeSave.h"
#include "support/StringUtils.h"
#include "support/Translation.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace orvel {

namespace {

bool IsQuote(char C) {
    return C == '"' || C == '\'';
}

bool IsQuoted(const std::string& Value) {
    return Value.size() >= 2 && IsQuote(Value[0]) && Value.back() == Value[0];
}

std::string Unquote(const std::string& Value) {
    return IsQuoted(Value) ? Value.substr(1, Value.size() - 2) : Value;
}

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

// The value as it stands after "=": quoted when reading it bare would change it.
std::string Stored(const std::string& Value) {
    const bool Quote =
        !Value.empty() && (IsBlank(Value.front()) || IsBlank(Value.back()) || IsQuoted(Value));
    return Quote ? '"' + Value + '"' : Value;
}

// A missing file reads as an empty one; anything else that is there must be readable.
bool IsMissing(const std::string& Path) {
    struct stat St;
    return Path.find('\0') == std::string::npos && ::stat(Path.c_str(), &St) != 0 &&
           (errno == ENOENT || errno == ENOTDIR);
}
} // namespace

TIniFile::TIniFile(std::string Path) : FilePath(std::move(Path)) {
    if (IsMissing(FilePath)) return;
    std::string Text;
    try {
        TInputFile In(FilePath);
        if (In.Size() > MaxFileBytes)
            throw EIniReadError(Tr("cannot read file ") + FilePath + Tr(": larger than 16 MiB"));

        Text.resize(In.Size());
        Text.resize(In.Read(Text.data(), Text.size()));
    } catch (const EInOutError& E) {
        throw EIniReadError(E.what());
    }
    Parse(Text);
}

void TIniFile::Parse(const std::string& Text) {
    TSection* Current = nullptr;
    for (size_t Start = 0; Start < Text.size();) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos) End = Text.size();
        std::string Line = Text.substr(Start, End - Start);
        Start = End + 1;
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        const std::string Content = Trimmed(Line);
        if (Content.size() >= 2 && Content.front() == '[' &&
            Content.find(']') != std::string::npos) {
            Current = &SectionNamed(Trimmed(Content.substr(1, Content.find(']') - 1)));
            continue;
        }
        const size_t Equal = Content.find('=');
        if (!Current || Equal == std::string::npos) continue;
        std::string Key = Trimmed(Content.substr(0, Equal));
        Current->Index.try_emplace(AsciiUpperCase(Key), Current->Entries.size());
        Current->Entries.push_back({std::move(Key), Unquote(Trimmed(Content.substr(Equal + 1)))});
    }
}

TIniFile TIniFile::Empty(std::string Path) {
    TIniFile File;
    File.FilePath = std::move(Path);
    return File;
}

TIniFile::TSection& TIniFile::SectionNamed(const std::string& Name) {
    const auto [It, New] = SectionIndex.try_emplace(AsciiUpperCase(Name), Sections.size());
    if (New) Sections.push_back(TSection{Name, {}, {}});
    return Sections[It->second];
}

const std::string* TIniFile::Find(const std::string& Section, const std::string& Key) const {
    const auto S = SectionIndex.find(AsciiUpperCase(Section));
    if (S == SectionIndex.end()) return nullptr;
    const TSection& Found = Sections[S->second];
    const auto E = Found.Index.find(AsciiUpperCase(Key));
    return E == Found.Index.end() ? nullptr : &Found.Entries[E->second].Value;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key,
                                 const std::string& Default) const {
    const std::string* Value = Find(Section, Key);
    return (Value ? *Value : Default).substr(0, MaxValueBytes);
}

bool ParseIniInteger(const std::string& Text, long long& Value) {
    size_t Pos = 0;
    const bool Negative = !Text.empty() && Text[0] == '-';
    if (!Text.empty() && (Text[0] == '-' || Text[0] == '+')) ++Pos;
    int Base = 10;
    if (Text.compare(Pos, 2, "0x") == 0 || Text.compare(Pos, 2, "0X") == 0) {
        Base = 16;
        Pos += 2;
    }
    if (Pos >= Text.size() || !std::isxdigit(static_cast<unsigned char>(Text[Pos]))) return false;
    char* End = nullptr;
    errno = 0;
    long long Parsed = std::strtoll(Text.c_str() + Pos, &End, Base);
    // Values are 32-bit: hexadecimal ones may fill all 32 bits and then read as negative.
    const long long Limit = Base == 16 ? 0xFFFFFFFFLL : 0x7FFFFFFFLL;
    if (errno != 0 || *End != '\0' || Parsed > Limit) return false;
    if (Parsed > 0x7FFFFFFFLL) Parsed -= 0x100000000LL;
    Value = Negative ? -Parsed : Parsed;
    return true;
}

long long TIniFile::ReadInteger(const std::string& Section, const std::string& Key,
                                long long Default) const {
    long long Value;
    const std::string* Text = Find(Section, Key);
    return Text && ParseIniInteger(*Text, Value) ? Value : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Key,
                           const std::string& Value) {
    TSection& Target = SectionNamed(Section);
    const auto [It, New] = Target.Index.try_emplace(AsciiUpperCase(Key), Target.Entries.size());
    if (New)
        Target.Entries.push_back({Key, Value});
    else
        Target.Entries[It->second].Value = Value;
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Key, long long Value) {
    WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
    WriteString(Section, Key, Value ? "1" : "0");
}

std::string TIniFile::Text() const {
    std::string Result;
    for (size_t I = 0; I < Sections.size(); ++I) {
        if (I) Result += '\n';
        Result += '[' + Sections[I].Name + "]\n";
        for (const TEntry& E : Sections[I].Entries) {
            if (E.Value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
                throw EIniWriteError(FilePath + Tr(" に書き込めません") + "\r\n" + E.Key +
                                     Tr(": a line break or NUL byte cannot be stored"));
            Result += E.Key + '=' + Stored(E.Value) + '\n';
        }
    }
    return Result;
}

void TIniFile::UpdateFile() const {
    const std::string Content = Text();
    try {
        SaveFileSafely(FilePath, Content);
    } catch (const ESaveError&) {
        throw EIniWriteError(FilePath + Tr(" に書き込めません"));
    }
}

} // namespace orvel

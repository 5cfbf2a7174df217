#include "support/IniFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <unistd.h>

namespace orvel {

namespace {
std::string Trim(const std::string& Text) {
    const size_t First = Text.find_first_not_of(" \t");
    if (First == std::string::npos) return {};
    return Text.substr(First, Text.find_last_not_of(" \t") - First + 1);
}

bool SameName(const std::string& A, const std::string& B) {
    return strcasecmp(A.c_str(), B.c_str()) == 0;
}

std::string Unquote(std::string Value) {
    if (Value.size() >= 2 && (Value[0] == '"' || Value[0] == '\'') && Value.back() == Value[0])
        return Value.substr(1, Value.size() - 2);
    return Value;
}
} // namespace

TIniFile::TIniFile(std::string Path) : FilePath(std::move(Path)) {
    std::ifstream In(FilePath, std::ios::binary);
    TSection* Current = nullptr;
    for (std::string Line; std::getline(In, Line);) {
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        const std::string Text = Trim(Line);
        if (Text.size() >= 2 && Text.front() == '[' && Text.find(']') != std::string::npos) {
            const std::string Name = Trim(Text.substr(1, Text.find(']') - 1));
            Current = nullptr;
            for (TSection& S : Sections)
                if (SameName(S.Name, Name)) Current = &S;
            if (!Current) Current = &Sections.emplace_back(TSection{Name, {}});
            continue;
        }
        const size_t Equal = Text.find('=');
        if (!Current || Equal == std::string::npos) continue;
        Current->Entries.push_back(
            {Trim(Text.substr(0, Equal)), Unquote(Trim(Text.substr(Equal + 1)))});
    }
}

TIniFile TIniFile::Empty(std::string Path) {
    TIniFile File;
    File.FilePath = std::move(Path);
    return File;
}

const std::string* TIniFile::Find(const std::string& Section, const std::string& Key) const {
    for (const TSection& S : Sections)
        if (SameName(S.Name, Section)) {
            for (const TEntry& E : S.Entries)
                if (SameName(E.Key, Key)) return &E.Value;
            return nullptr;
        }
    return nullptr;
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
    TSection* Target = nullptr;
    for (TSection& S : Sections)
        if (SameName(S.Name, Section)) Target = &S;
    if (!Target) Target = &Sections.emplace_back(TSection{Section, {}});
    for (TEntry& E : Target->Entries)
        if (SameName(E.Key, Key)) {
            E.Value = Value;
            return;
        }
    Target->Entries.push_back({Key, Value});
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Key, long long Value) {
    WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
    WriteString(Section, Key, Value ? "1" : "0");
}

void TIniFile::UpdateFile() const {
    std::ostringstream Text;
    for (size_t I = 0; I < Sections.size(); ++I) {
        if (I) Text << '\n';
        Text << '[' << Sections[I].Name << "]\n";
        for (const TEntry& E : Sections[I].Entries)
            Text << E.Key << '=' << E.Value << '\n';
    }
    const std::string Content = Text.str();
    const std::string Temporary = FilePath + ".tmp-" + std::to_string(::getpid());
    FILE* Out = std::fopen(Temporary.c_str(), "wb");
    bool Ok = Out && std::fwrite(Content.data(), 1, Content.size(), Out) == Content.size();
    if (Out) Ok = (std::fflush(Out) == 0 && ::fsync(::fileno(Out)) == 0) && Ok;
    if (Out) Ok = std::fclose(Out) == 0 && Ok;
    if (Ok) Ok = std::rename(Temporary.c_str(), FilePath.c_str()) == 0;
    if (!Ok) {
        std::remove(Temporary.c_str());
        throw EIniWriteError(FilePath + " に書き込めません");
    }
}

} // namespace orvel

#include "ReferenceCheck.h"

#include "TestSupport.h"

#include "analysis/ExtractLinks.h"
#include "analysis/UrlToPath.h"
#include "support/CodePage.h"
#include "support/ReadFileAll.h"
#include "support/StringUtils.h"

#include <algorithm>
#include <filesystem>

namespace orvel::test {

std::string RemoveCommentsByRepeatedSearch(std::string Text) {
    for (;;) {
        const size_t P = Text.find("<!--"), Q = Text.find("-->");
        if (P == std::string::npos || Q == std::string::npos || Q <= P) return Text;
        Text.erase(P, Q - P + 3);
    }
}

namespace {

// One step of a row's scan: the next tag of the row from Offset, and the attribute's value.
bool ScanTag(std::string_view Tag, std::string_view Attribute, std::string_view Text,
             std::string_view Upper, size_t& Offset, std::string& Value) {
    const auto IsBlank = [](char C) { return C == '\r' || C == '\n' || C == ' '; };
    Value.clear();
    const std::string Pattern = "<" + std::string(Tag);
    const size_t Found = Upper.find(Pattern, Offset);
    if (Found == std::string_view::npos) return false;
    const size_t Close = Upper.find('>', Found + Pattern.size());
    if (Close == std::string_view::npos) return false;
    Offset = Close; // what follows stays within the tag: Upper[Close] ends every step
    size_t Pos = Found + Pattern.size();
    if (SkipBlanks(Upper, Pos) == 0) return true;
    size_t At = Upper.find(Attribute, Pos);
    while (At < Close && !IsBlank(Upper[At - 1]))
        At = Upper.find(Attribute, At + 1);
    if (At >= Close) return true;
    Pos = At + Attribute.size();
    SkipBlanks(Upper, Pos);
    if (Upper[Pos] != '=') return true;
    SkipBlanks(Upper, ++Pos);
    char Stop = ' ';
    if (Upper[Pos] == '"' || Upper[Pos] == '\'') Stop = Upper[Pos++];
    size_t End = Pos;
    while (Upper[End] != '>' && Upper[End] != Stop)
        ++End;
    Value =
        ReplaceAll(std::string(Text.substr(Pos, std::min(End - Pos, MaxValueLength))), "\r\n", "");
    return true;
}

void StoreFoundValue(TSortedStringList& List, const std::string& Value, const TSettings& Settings) {
    if (Value.empty()) return;
    if (AsciiUpperCase(Value.substr(0, 11)) == "JAVASCRIPT:") {
        if (!Settings.IgnoreJavaScript) List.Add(Value);
    } else if (const std::string Stored =
                   Settings.isSpaceValid ? Value : std::string(CutAtSpace(Value));
               !Stored.empty()) {
        List.Add(Stored);
    }
}

void StoreRefreshTarget(TSortedStringList& Links, std::string Value) {
    const size_t Url = Value.find("URL=");
    if (Url == std::string::npos || Url == 0) return;
    Value.erase(0, Url + 4);
    while (!Value.empty() && static_cast<unsigned char>(Value.back()) <= ' ')
        Value.pop_back();
    while (!Value.empty() && static_cast<unsigned char>(Value.front()) <= ' ')
        Value.erase(0, 1);
    if (!Value.empty()) Links.Add(std::string(CutAtSpace(Value)));
}

} // namespace

TExtracted ExtractRowByRow(const std::string& Html, const TSettings& Settings) {
    const std::string Text = RemoveCommentsByRepeatedSearch(Html), Upper = AsciiUpperCase(Text);
    TSortedStringList Links, Anchors;
    std::string Value;
    for (const TTagRow& Row : LinkTagTable)
        for (size_t Offset = 0; ScanTag(Row.Tag, Row.Attribute, Text, Upper, Offset, Value);)
            StoreFoundValue(Links, Value, Settings);
    for (size_t Offset = 0;
         ScanTag(MetaRefreshRow.Tag, MetaRefreshRow.Attribute, Text, Upper, Offset, Value);)
        StoreRefreshTarget(Links, Value);
    for (const TTagRow& Row : AnchorTagTable)
        for (size_t Offset = 0; ScanTag(Row.Tag, Row.Attribute, Text, Upper, Offset, Value);)
            StoreFoundValue(Anchors, Value, Settings);
    return {Links.Strings(), Anchors.Strings()};
}

namespace {

constexpr TPathStyle Style = TPathStyle::psPosix;

// Folders before files, each sorted without case, names equal without case in byte order.
void ScanInto(const std::string& Folder, const TSettings& Settings,
              std::vector<TReferenceFile>& Files) {
    std::vector<std::string> Folders, Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Folder))
        (Entry.is_directory() ? Folders : Names).push_back(Entry.path().filename().string());
    const auto Less = [](const std::string& A, const std::string& B) {
        const int C = AnsiCompareText(A, B);
        return C != 0 ? C < 0 : A < B;
    };
    std::sort(Folders.begin(), Folders.end(), Less);
    std::sort(Names.begin(), Names.end(), Less);
    for (const std::string& Name : Folders)
        ScanInto(Folder + Name + "/", Settings, Files);
    for (const std::string& Name : Names) {
        TReferenceFile& File = Files.emplace_back();
        File.Path = Folder + Name;
        File.Kind = FileKindOf(AnsiUpperCase(ExtractExtension(File.Path, Style)),
                               Settings.ExtListHTML, Settings.ExtListImg);
        if (File.Kind != fkHtml) continue;
        TRecordingHost Host;
        std::string Text;
        try {
            Text = ReadFileAll(File.Path, Host);
        } catch (...) {
            continue;
        }
        const TExtracted Found = ExtractRowByRow(Text, Settings);
        for (const std::string& Link : Found.Links)
            File.Links.Add(Link);
        for (const std::string& Anchor : Found.Anchors)
            File.Anchors.Add(Anchor);
        File.ReachedAnchors.assign(Found.Anchors.size(), false);
    }
}

struct TSplit {
    std::string Target, Anchor;
};

TSplit SplitByRules(const std::string& Link, const std::string& OwnPath,
                    const TSettings& Settings) {
    TSplit Split{Link, {}};
    if (!Link.empty() && Link.back() == '/') Split.Target += Settings.DefaultFileName;
    if (Split.Target.compare(0, 5, "http:") == 0) Split.Target.erase(0, 5);
    if (const size_t Hash = Split.Target.find('#'); Hash != std::string::npos) {
        Split.Anchor = Split.Target.substr(Hash + 1);
        Split.Target.erase(Hash);
    }
    if (const size_t Query = Split.Target.find('?'); Query != std::string::npos)
        Split.Target.erase(Query);
    if (Split.Target.empty() && !Split.Anchor.empty()) Split.Target = BareFileName(OwnPath, Style);
    return Split;
}

// The first file whose name hash agrees and whose path is equal (ASCII letters without case when
// IgnoreCase is set), or -1.
int FindByWalk(const std::vector<TReferenceFile>& Files, const std::string& Path, bool IgnoreCase) {
    const std::int32_t Hash = FileNameHash(Path, Style);
    for (size_t I = 0; I < Files.size(); ++I) {
        const std::string& Candidate = Files[I].Path;
        if (FileNameHash(Candidate, Style) != Hash) continue;
        if (IgnoreCase ? AsciiUpperCase(Candidate) == AsciiUpperCase(Path) : Candidate == Path)
            return static_cast<int>(I);
    }
    return -1;
}

// The file that a TOP page or excluded file names: the one of exactly its path, else the only
// one equal to it without case, or -1.
int FindEntryByWalk(const std::vector<TReferenceFile>& Files, const std::string& Path) {
    if (const int Exact = FindByWalk(Files, Path, false); Exact >= 0) return Exact;
    int Found = -1, Count = 0;
    for (size_t I = 0; I < Files.size(); ++I)
        if (FileNameHash(Files[I].Path, Style) == FileNameHash(Path, Style) &&
            AsciiUpperCase(Files[I].Path) == AsciiUpperCase(Path) && Count++ == 0)
            Found = static_cast<int>(I);
    return Count == 1 ? Found : -1;
}

void Classify(std::vector<TReferenceFile>& Files, TReferenceFile& File,
              const TOrvelProject& Project, const TSettings& Settings) {
    for (const std::string& Link : File.Links) {
        const TSplit Split = SplitByRules(Link, File.Path, Settings);
        const std::string Upper = AnsiUpperCase(Link);
        if (Link.find("://") != std::string::npos || Upper.find("MAILTO:") != std::string::npos ||
            Upper.find("NEWS:") != std::string::npos) {
            if (AsciiUpperCase(Link.substr(0, 7)) != "FILE://") {
                File.External.Add(Link);
            } else {
                const auto Local = URLToPath(Split.Target, Style);
                const bool Exists = Settings.CheckLocalFile != 0 && Local && FileExists(*Local);
                (Exists ? File.Valid : File.Invalid).Add(Link);
            }
        } else if (Link[0] == '/') {
            if (Project.ServerRoot.empty())
                File.External.Add(Link);
            else
                (FileExists(Project.ResolveLink(File.Path, Split.Target)) ? File.Valid
                                                                          : File.Invalid)
                    .Add(Link);
        } else if (!Split.Target.empty() || !Split.Anchor.empty()) {
            const int Target = FindByWalk(Files, Project.ResolveLink(File.Path, Split.Target),
                                          Settings.IgnoreCase);
            const bool Valid =
                Target >= 0 &&
                (Split.Anchor.empty() ||
                 Files[static_cast<size_t>(Target)].Anchors.IndexOf(Split.Anchor) >= 0);
            (Valid ? File.Valid : File.Invalid).Add(Link);
        }
    }
}

void ReachByRecursion(std::vector<TReferenceFile>& Files, size_t From, const TOrvelProject& Project,
                      const TSettings& Settings) {
    Files[From].Reach = rsReached;
    for (const std::string& Link : Files[From].Valid) {
        const TSplit Split = SplitByRules(Link, Files[From].Path, Settings);
        const int Found = FindByWalk(Files, Project.ResolveLink(Files[From].Path, Split.Target),
                                     Settings.IgnoreCase);
        if (Found < 0 || Files[static_cast<size_t>(Found)].Ignored) continue;
        TReferenceFile& Target = Files[static_cast<size_t>(Found)];
        int Anchor;
        if (!Split.Anchor.empty() && Target.Anchors.Find(Split.Anchor, Anchor))
            Target.ReachedAnchors[static_cast<size_t>(Anchor)] = true;
        if (Target.Reach == rsUnreached)
            ReachByRecursion(Files, static_cast<size_t>(Found), Project, Settings);
    }
}

} // namespace

std::vector<TReferenceFile> ReferenceCheck(const TOrvelProject& Project,
                                           const TSettings& Settings) {
    std::vector<TReferenceFile> Files;
    ScanInto(Project.HomeDir, Settings, Files);
    for (TReferenceFile& File : Files)
        Classify(Files, File, Project, Settings);
    for (const std::string& Top : Project.TopFiles)
        if (const int Found = FindEntryByWalk(Files, Project.SpellingOf(Top)); Found >= 0) {
            ReachByRecursion(Files, static_cast<size_t>(Found), Project, Settings);
            Files[static_cast<size_t>(Found)].Reach = rsTop;
        }
    for (const std::string& Excluded : Project.IgnoreFiles)
        if (const int Found = FindEntryByWalk(Files, Project.SpellingOf(Excluded)); Found >= 0) {
            Files[static_cast<size_t>(Found)].Ignored = true;
            Files[static_cast<size_t>(Found)].Reach = rsReached;
        }
    return Files;
}

} // namespace orvel::test

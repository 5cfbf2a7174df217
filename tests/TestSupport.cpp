#include "TestSupport.h"

#include "analysis/NodePictures.h"
#include "support/CodePage.h"
#include "support/DeleteFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel::test {

bool TRecordingHost::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    Messages.push_back({Kind, Text});
    return Kind == TMessageKind::mkRiskyQuestion ? RiskyAnswer : Answer;
}

void TRecordingHost::PumpEvents(TRunContext& Run) {
    ++Pumps;
    if (OnPump) OnPump(Run, Pumps);
}

void TRecordingHost::ProgressChanged(const TRunContext& Run) {
    if (!Run.StatusText().empty() &&
        (StatusTexts.empty() || StatusTexts.back() != Run.StatusText()))
        StatusTexts.push_back(Run.StatusText());
}

TFileObject& AddUnreadFile(TRunContext& Run, TTreeNode& Parent, const std::string& Path,
                           TFileKind Kind, const std::vector<std::string>& Anchors) {
    TTreeNode& Node = Run.Tree.AddChild(Parent, BareFileName(Path, Run.PathStyle()));
    TFileObject& File = TFileObject::Create(Run, Node);
    Node.Data = &File;
    const TSettings Saved = Run.Settings;
    Run.Settings.ExtListHTML = ".NOTHING"; // nothing to read
    Run.Settings.ExtListImg = ".NOTHING";
    File.SetPath(Path);
    Run.Settings = Saved;
    File.Kind = Kind;
    for (const std::string& Anchor : Anchors) {
        File.Anchors.Add(Anchor);
        Run.Tree.SetStateImage(Run.Tree.AddChild(Node, Anchor), pic::NotReached);
    }
    return File;
}

TTempDir::TTempDir() {
    const char* Base = std::getenv("TMPDIR");
    std::string Template = std::string(Base && *Base ? Base : "/tmp") + "/orvel-test-XXXXXX";
    if (!::mkdtemp(Template.data())) throw std::runtime_error("cannot create " + Template);
    Root = Template + "/";
}

TTempDir::~TTempDir() {
    DeleteFolderTree(Root, true);
}

std::string TTempDir::MakeDir(const std::string& Relative) const {
    std::string Path = Root;
    std::stringstream Parts(Relative);
    for (std::string Part; std::getline(Parts, Part, '/');) {
        if (Part.empty()) continue;
        Path += Part + "/";
        ::mkdir(Path.c_str(), 0755);
    }
    return Path;
}

std::string TTempDir::Write(const std::string& Relative, const std::string& Content) const {
    const size_t Slash = Relative.rfind('/');
    if (Slash != std::string::npos) MakeDir(Relative.substr(0, Slash));
    const std::string Path = Root + Relative;
    std::ofstream Out(Path, std::ios::binary);
    Out << Content;
    if (!Out) throw std::runtime_error("cannot write " + Path);
    return Path;
}

void TTempDir::WriteSite(const std::vector<TSiteFile>& Files) const {
    for (const TSiteFile& File : Files)
        Write(File.Path, File.Content);
}

std::string ReadWholeFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Buffer;
    Buffer << In.rdbuf();
    return Buffer.str();
}

TRecordingProgram::TRecordingProgram() : Script(Dir.Path() + "program") {
    // Each argument ends in a NUL byte; the file appears whole, by renaming.
    Dir.Write("program",
              "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0.args\"\n");
    ::chmod(Script.c_str(), 0755);
}

std::vector<std::string> TRecordingProgram::Arguments() const {
    const std::string Record = Script + ".args";
    for (int Wait = 0; Wait < 1000 && !FileExists(Record); ++Wait)
        ::usleep(10000);
    if (!FileExists(Record)) {
        ADD_FAILURE() << "the program was not started";
        return {};
    }
    const std::string Bytes = ReadWholeFile(Record);
    ::unlink(Record.c_str());
    std::vector<std::string> Arguments;
    for (size_t Start = 0, End; (End = Bytes.find('\0', Start)) != std::string::npos;
         Start = End + 1)
        Arguments.push_back(Bytes.substr(Start, End - Start));
    return Arguments;
}

} // namespace orvel::test

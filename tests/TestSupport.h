// Shared helpers of the core tests: a recording host, temporary folders and small files.
#pragma once

#include "analysis/Host.h"
#include "analysis/RunContext.h"

#include <functional>
#include <string>
#include <vector>

namespace orvel::test {

// Records every message box, beep and command state; answers questions with Answer, risky ones
// with RiskyAnswer.
class TRecordingHost : public THost {
public:
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override;
    void Beep(TBeepKind Kind) override { Beeps.push_back(Kind); }
    void PumpEvents(TRunContext& Run) override;
    void ProgressChanged(const TRunContext& Run) override;
    void ApplyCommandState(const TCommandState& State) override { States.push_back(State); }
    void ResultsChanged(TTreeNode* Selected) override {
        if (Selected)
            ShownLinkLists.push_back(Selected);
        else
            ++LinkListClears;
    }

    struct TMessage {
        TMessageKind Kind;
        std::string Text;
    };
    std::vector<TMessage> Messages;
    std::vector<TBeepKind> Beeps;
    std::vector<TCommandState> States;
    std::vector<std::string> StatusTexts; // each distinct status text, in order
    int LinkListClears = 0;
    std::vector<TTreeNode*> ShownLinkLists;
    int Pumps = 0;
    bool Answer = true;
    bool RiskyAnswer = false; // to questions whose Yes cannot be undone
    // Called at every pump with the number of pumps so far.
    std::function<void(TRunContext&, int)> OnPump;
};

// Refuses every deletion, as a read-only folder would.
class TRefusingFileSystem : public TFileSystem {
public:
    bool DeleteFile(const std::string&) const override { return false; }
    bool DeleteFolder(const std::string&) const override { return false; }
};

// A run context that pumps at every item into a recording host.
struct TTestRun {
    explicit TTestRun(TPathStyle Style = TPathStyle::psPosix) : Run(Host, Style) {
        Run.PumpInterval = std::chrono::milliseconds(0);
    }
    TRecordingHost Host;
    TRunContext Run;
};

// A file object for a path that is not read from disk (it may name no real file), with anchor
// nodes for the given anchors, under Parent.
TFileObject& AddUnreadFile(TRunContext& Run, TTreeNode& Parent, const std::string& Path,
                           TFileKind Kind, const std::vector<std::string>& Anchors = {});

// The node at a path of node texts below the root ("" is the root, "a.html/top" an anchor), or
// null; and the path of a node, its inverse.
inline TTreeNode* NodeAt(TSiteTree& Tree, const std::string& Relative) {
    return Tree.NodeAtPath(Relative);
}
inline std::string PathOf(const TTreeNode& Node) {
    return TextPath(Node);
}

// One file of a small site written for a test: its path below the site's folder, its bytes.
struct TSiteFile {
    std::string Path, Content;
};

// A fresh folder under the system's temporary folder, deleted with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder's path, ending in "/".
    const std::string& Path() const { return Root; }
    // Writes a file (creating its folders) below the folder; returns its full path.
    std::string Write(const std::string& Relative, const std::string& Content) const;
    // Writes every file of a site, in order, as Write does.
    void WriteSite(const std::vector<TSiteFile>& Files) const;
    // Creates a folder (and its parents) below the folder; returns its full path.
    std::string MakeDir(const std::string& Relative) const;

private:
    std::string Root;
};

std::string ReadWholeFile(const std::string& Path);

// A small program, a shell script in a folder of its own, that records the arguments of each
// start; it stands in for the user's editor, viewer and browser.
class TRecordingProgram {
public:
    TRecordingProgram();
    const std::string& Path() const { return Script; }
    // The arguments of the last start, waited for up to ten seconds (a failure when none came),
    // and forgotten then.
    std::vector<std::string> Arguments() const;

private:
    TTempDir Dir;
    std::string Script;
};

} // namespace orvel::test

// Reachability from the TOP pages, exclusions, anchor marks and folder colours.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/NodePictures.h"
#include "analysis/Reachability.h"
#include "support/CodePage.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

class Reach : public ::testing::Test {
protected:
    TFileObject& File(const std::string& Relative) {
        TTreeNode* Node = FindNodeByPath(T.Run, Dir.Path() + Relative, false);
        if (!Node) throw std::runtime_error("no file object for " + Relative);
        return *Node->Data;
    }
    TTreeNode& Folder(const std::string& Name) {
        for (TTreeNode* Node : T.Run.FolderNodes)
            if (Node->Text == Name) return *Node;
        throw std::runtime_error("no folder " + Name);
    }
    void MarkTop(const std::string& Relative) {
        T.Run.Tree.Select(File(Relative).Node);
        MarkSelectedTop(T.Run);
    }
    std::string WriteProject(const std::string& Body) {
        return Projects.Write("site.opr", "[OrvelProject]\nHomeDir=" + Dir.Path() + "\n" + Body);
    }
    std::string Upper(const std::string& Relative) { return AnsiUpperCase(Dir.Path() + Relative); }

    TTempDir Dir, Projects;
    TTestRun T;
};

TEST_F(Reach, TopPageReachesLinkedFilesAndOrphansColourTheirFolders) {
    Dir.WriteSite({{"index.html", "<a href=a.html>"},
                   {"a.html", "<a href=index.html><a href=b.html><a href=other/d.html>"
                              "<img src=other/logo.gif><a href=other/notes.txt>"},
                   {"b.html", ""},
                   {"deep/er/c.html", ""},
                   {"other/d.html", ""},
                   {"other/logo.gif", "GIF89a"},
                   {"other/notes.txt", ""},
                   {"loose.html", ""}});
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(File("a.html").ReachState, rsUnreached);
    EXPECT_EQ(T.Run.StatusText(), "トップページを指定してください");

    MarkTop("index.html");
    EXPECT_EQ(File("index.html").ReachState, rsTop);
    EXPECT_EQ(File("index.html").Node->StateIndex, pic::TopMark);
    for (const char* Reached : {"a.html", "b.html", "other/d.html", "other/logo.gif"}) {
        EXPECT_EQ(File(Reached).ReachState, rsReached) << Reached;
        EXPECT_EQ(File(Reached).Node->StateIndex, pic::Reached) << Reached;
    }
    EXPECT_EQ(File("deep/er/c.html").Node->StateIndex, pic::NotReached);
    EXPECT_EQ(File("loose.html").ReachState, rsUnreached);
    EXPECT_EQ(Folder("deep").ImageIndex, pic::FolderProblem);
    EXPECT_EQ(Folder("er").ImageIndex, pic::FolderProblem);
    EXPECT_EQ(Folder("er").SelectedIndex, pic::FolderProblemOpen);
    // Files that are not HTML keep their flag but are no problem for their folder.
    EXPECT_TRUE(File("other/logo.gif").Flagged && File("other/notes.txt").Flagged);
    EXPECT_EQ(Folder("other").ImageIndex, pic::FolderOk);
    EXPECT_EQ(Folder("other").SelectedIndex, pic::FolderOkOpen);
    EXPECT_EQ(T.Run.Tree.Root().ImageIndex, -1); // the root is never recoloured
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{Upper("index.html")});
    EXPECT_EQ(T.Run.Tree.Selected(), &T.Run.Tree.Root());
    EXPECT_EQ(T.Run.BusyCount, 0);
}

TEST_F(Reach, CyclesAndSelfLinksEndAndTopPagesLinkingEachOtherStayTop) {
    Dir.WriteSite({{"a.html", "<a name=top><a href=#top><a href=b.html><a href=a.html>"},
                   {"b.html", "<a href=a.html#top><a href=b.html>"}});
    OpenFolder(T.Run, Dir.Path());
    MarkTop("b.html");
    EXPECT_EQ(File("a.html").ReachState, rsReached);
    EXPECT_EQ(File("b.html").ReachState, rsTop);
    EXPECT_EQ(File("a.html").Node->Item(0)->ImageIndex, pic::Anchor);
    MarkTop("a.html");
    EXPECT_EQ(File("a.html").ReachState, rsTop);
    EXPECT_EQ(File("b.html").ReachState, rsTop);
}

TEST_F(Reach, FollowedLinksMarkAnchorsAndUnmarkedAnchorsMakeFilesBlue) {
    Dir.WriteSite({{"index.html", "<a href=page.html#sec2><a href=page.html#missing>"},
                   {"page.html", "<h2 id=sec2><h2 id=other>"}});
    OpenFolder(T.Run, Dir.Path());
    MarkTop("index.html");
    const TTreeNode& PageNode = *File("page.html").Node;
    EXPECT_EQ(PageNode.Item(1)->Text, "sec2");
    EXPECT_EQ(PageNode.Item(1)->StateIndex, pic::Reached);
    EXPECT_EQ(PageNode.Item(1)->ImageIndex, pic::Anchor);
    EXPECT_EQ(PageNode.Item(0)->StateIndex, pic::NotReached);
    EXPECT_EQ(PageNode.Item(0)->ImageIndex, pic::Reached);
    EXPECT_TRUE(File("page.html").Flagged); // "other" is still unmarked
    EXPECT_EQ(PageNode.ImageIndex, pic::BluePage);

    T.Run.Settings.AnchorMakesFileBlue = false;
    MarkReachability(T.Run);
    EXPECT_FALSE(File("page.html").Flagged);
    EXPECT_EQ(PageNode.ImageIndex, pic::HtmlPage);
    EXPECT_EQ(PageNode.SelectedIndex, pic::HtmlPage);
}

TEST_F(Reach, ReloadedProjectTraversesAnExcludedPageBeforeExcludingIt) {
    Dir.WriteSite({{"index.html", "<a href=x.html>"},
                   {"x.html", "<a href=y.html>"},
                   {"y.html", ""},
                   {"old/z.html", ""}});
    LoadProject(T.Run, WriteProject("TopFile0=" + Upper("index.html") + "\nIgnoreFile0=" +
                                    Upper("x.html") + "\nIgnoreFile1=" + Upper("old/z.html")));
    EXPECT_EQ(File("y.html").ReachState, rsReached);
    EXPECT_TRUE(File("x.html").Ignored);
    EXPECT_EQ(File("x.html").ReachState, rsReached);
    EXPECT_EQ(File("x.html").Node->OverlayIndex, pic::ExcludedOverlay);
    EXPECT_EQ(File("index.html").ReachState, rsTop);
    // An excluded orphan counts as reached, as every excluded file does.
    EXPECT_EQ(File("old/z.html").ReachState, rsReached);
    EXPECT_EQ(File("old/z.html").Node->StateIndex, pic::Reached);
    EXPECT_EQ(Folder("old").ImageIndex, pic::FolderOk);
}

TEST_F(Reach, ExcludedTargetIsNotFollowedNorItsAnchorMarked) {
    Dir.WriteSite({{"index.html", "<a href=w.html>"},
                   {"w.html", "<a href=x.html#sec><a href=w.html>"},
                   {"x.html", "<a href=y.html><a name=sec>"},
                   {"y.html", ""}});
    OpenFolder(T.Run, Dir.Path());
    File("x.html").SetIgnored(true);
    MarkTop("index.html");
    EXPECT_EQ(File("w.html").ReachState, rsReached);
    EXPECT_EQ(File("y.html").ReachState, rsUnreached);
    EXPECT_EQ(File("x.html").Node->Item(0)->StateIndex, pic::NotReached);
    EXPECT_EQ(T.Run.CurrentProject.IgnoreFiles.Strings(), Strings{Upper("x.html")});
}

// A list view that counts the entries a contiguous list moves at each change.
class TShiftCountingView : public TPlainListView {
public:
    void Insert(int Index, const std::string& Text) override {
        Moved += Items.size() - static_cast<size_t>(Index);
        TPlainListView::Insert(Index, Text);
    }
    void Delete(int Index) override {
        Moved += Items.size() - static_cast<size_t>(Index);
        TPlainListView::Delete(Index);
    }
    size_t Moved = 0;
};

TEST_F(Reach, EntriesWithoutAFileAreDroppedFromTheProjectInOnePass) {
    Dir.WriteSite({{"index.html", ""}, {"old.bak", ""}});
    // A site after a restructuring: many entries name files that are gone.
    constexpr int Gone = 20000;
    std::string Body;
    for (int I = 0; I < Gone; ++I)
        Body += "TopFile" + std::to_string(I) + "=" + Upper("gone" + std::to_string(I) + ".html") +
                "\nIgnoreFile" + std::to_string(I) + "=" +
                Upper("x" + std::to_string(I) + ".html") + "\n";
    Body += "TopFile" + std::to_string(Gone) + "=" + Upper("index.html") + "\nTopFile" +
            std::to_string(Gone + 1) + "=" + Upper("old.bak") + "\nWildCards0=*.bak\n";
    TShiftCountingView Top, Ignore;
    TPlainListView Wild;
    TPlainProjectDisplay Display;
    T.Run.CurrentProject.SetViews(&Top, &Ignore, &Wild, &Display);
    LoadProject(T.Run, WriteProject(Body));
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{Upper("index.html")});
    EXPECT_TRUE(T.Run.CurrentProject.IgnoreFiles.Empty());
    EXPECT_EQ(Top.Items, Strings{Upper("index.html")});
    EXPECT_TRUE(Ignore.Items.empty());
    // Dropping them one by one from the front moves the rest each time: Gone * Gone / 2.
    EXPECT_LE(Top.Moved + Ignore.Moved, static_cast<size_t>(4 * Gone));
}

TEST_F(Reach, ProblemFileInTheHomeFolderColoursNoFolder) {
    Dir.WriteSite({{"index.html", "<a href=sub/a.html>"}, {"orphan.html", ""}, {"sub/a.html", ""}});
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(Folder("sub").ImageIndex, pic::FolderProblem); // as the scan left it
    MarkTop("index.html");
    EXPECT_EQ(Folder("sub").ImageIndex, pic::FolderOk);
}

// Gives the files their links, from the file's own name to the names it links to, and
// classifies them.
void Link(const std::vector<TFileObject*>& Files, const std::vector<Strings>& Links) {
    for (size_t I = 0; I < Files.size(); ++I)
        for (const std::string& Link : Links[I])
            Files[I]->Links.Add(Link);
    for (TFileObject* File : Files)
        File->ClassifyLinks();
}

// Pages p0, p1, ... of which each links to the next and the last back to p0.
std::vector<TFileObject*> Chain(TRunContext& Run, int Pages) {
    std::vector<TFileObject*> Files;
    std::vector<Strings> Links;
    for (int I = 0; I < Pages; ++I) {
        Files.push_back(
            &AddUnreadFile(Run, Run.Tree.Root(), "/chain/p" + std::to_string(I) + ".html", fkHtml));
        Links.push_back({"p" + std::to_string((I + 1) % Pages) + ".html"});
    }
    Link(Files, Links);
    return Files;
}

TEST(ReachFrom, LongChainNeedsNoDeepRecursion) {
    TTestRun T;
    constexpr int Pages = 200000;
    const std::vector<TFileObject*> Files = Chain(T.Run, Pages);
    ReachFrom(T.Run, *Files.front()->Node);
    for (int I : {0, 1, Pages / 2, Pages - 1})
        EXPECT_EQ(Files[static_cast<size_t>(I)]->ReachState, rsReached) << I;
}

TEST(ReachFrom, HaltLeavesTheRestOfTheChainUnreached) {
    TTestRun T;
    const std::vector<TFileObject*> Files = Chain(T.Run, 1000);
    T.Host.OnPump = [](TRunContext& Run, int Pumps) { Run.Halted = Pumps >= 40; };
    ReachFrom(T.Run, *Files.front()->Node);
    const auto Reached = std::count_if(Files.begin(), Files.end(), [](const TFileObject* File) {
        return File->ReachState == rsReached;
    });
    EXPECT_GT(Reached, 1);
    EXPECT_LT(Reached, 40);
}

TEST(ReachFrom, VisitsInTheOrderOfTheRecursiveDescription) {
    TTestRun T;
    // a -> b, c; b -> d; c -> d, e: depth first gives a, b, d, c, e.
    const std::vector<std::pair<std::string, Strings>> Site = {{"a", {"b.html", "c.html"}},
                                                               {"b", {"d.html"}},
                                                               {"c", {"d.html", "e.html"}},
                                                               {"d", {}},
                                                               {"e", {}}};
    std::vector<TFileObject*> Files;
    std::vector<Strings> Links;
    for (const auto& [Name, Targets] : Site) {
        Files.push_back(&AddUnreadFile(T.Run, T.Run.Tree.Root(), "/s/" + Name + ".html", fkHtml));
        Links.push_back(Targets);
    }
    Link(Files, Links);
    // Each pump records the files reached since the one before; a file is marked right
    // after the pump that precedes its entry.
    Strings Order;
    const auto Observe = [&](TRunContext& Run, int) {
        for (const auto& File : Run.FileObjects)
            if (File->ReachState == rsReached &&
                std::find(Order.begin(), Order.end(), File->Node->Text) == Order.end())
                Order.push_back(File->Node->Text);
    };
    T.Host.OnPump = Observe;
    ReachFrom(T.Run, *T.Run.FileObjects[0].Node);
    Observe(T.Run, 0);
    EXPECT_EQ(Order, (Strings{"a.html", "b.html", "d.html", "c.html", "e.html"}));
}

} // namespace

// The results following what changes on disk: pages edited, files gone, new entries.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/SiteUpdate.h"

#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;

namespace {

TEST(SiteUpdate, EditedPagesAreReadAgainGoneFilesForgottenAndNewEntriesSeen) {
    TTempDir Site;
    Site.WriteSite({{"index.html", "<a href=a.html><a href=b.html>"},
                    {"a.html", "<h2 id=x>"},
                    {"b.html", "<a href=a.html#x>"},
                    {"skip.bak", ""}});
    TTestRun T;
    T.Run.CurrentProject.AddTopFile(Site.Path() + "index.html");
    T.Run.CurrentProject.AddWildCard("*.bak");
    CheckFolder(T.Run, Site.Path(), true);
    const auto File = [&](const std::string& Name) {
        return T.Run.FileObjects.FindByPath(Site.Path() + Name, false);
    };
    EXPECT_EQ(T.Run.InvalidLinkTotal, 0);

    // The editor drops the anchor and the link to b.html; b.html goes.
    Site.WriteSite({{"a.html", "<p>no anchor any more, and a longer page"},
                    {"index.html", "<a href=a.html>"}});
    ::unlink((Site.Path() + "b.html").c_str());
    Site.Write("skip2.bak", ""); // the wildcard hides it: nothing new
    const auto At = [&](std::vector<std::string> Names) {
        for (std::string& Name : Names)
            Name = Site.Path() + Name;
        return FindDiskChanges(T.Run, Names);
    };
    const TDiskChanges Changes =
        At({"a.html", "index.html", "b.html", "skip2.bak", "a.html", "gone-again.html"});
    EXPECT_EQ(Changes.Changed, (std::vector<TFileObject*>{File("a.html"), File("index.html")}));
    EXPECT_EQ(Changes.Gone, std::vector<TFileObject*>{File("b.html")});
    EXPECT_FALSE(Changes.Unknown);
    ApplyDiskChanges(T.Run, Changes);
    EXPECT_EQ(File("b.html"), nullptr);
    EXPECT_EQ(T.Run.FileCountText(), "総ファイル数 2");
    EXPECT_EQ(NodeAt(T.Run.Tree, "b.html"), nullptr);
    EXPECT_TRUE(File("a.html")->Anchors.Empty());
    EXPECT_EQ(File("index.html")->ValidLinks.Strings(), std::vector<std::string>{"a.html"});
    EXPECT_EQ(File("a.html")->ReachState, rsReached);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 0);

    // Nothing changed since: nothing to do. A new page, a new folder or a folder as a whole
    // are not known.
    EXPECT_TRUE(At({"a.html", "index.html"}).Changed.empty());
    Site.WriteSite({{"c.html", ""}, {"new/d.html", ""}, {".c.html.swp", ""}});
    EXPECT_FALSE(At({".c.html.swp"}).Unknown);
    for (const char* Unknown : {"c.html", "new", "new/"})
        EXPECT_TRUE(At({Unknown}).Unknown) << Unknown;
}

} // namespace

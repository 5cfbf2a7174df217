// Pages in Shift-JIS, EUC-JP and UTF-8 on a UTF-8 desktop: each page's charset, its texts as the
// tree, the link lists and the tag-jump items show them, and new text written in its charset.
#include "GuiTestSupport.h"

#include "ui/ReplaceDialog.h"
#include "ui/SiteTreeModel.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;

namespace {

// In Shift-JIS: GAI-YOU (the first byte pair ends in the letter T), HYOU-JI and SO-FU-TO (each
// first pair ends in a backslash byte), HE.
const std::string SjisPage = "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=Shift_JIS\">\n"
                             "<h2 id=\"\x8A\x54\x97\x76\">\n<a name=\"\x95\x5C\x8E\xA6\">\n"
                             "<a href=\"sjis.html#\x95\x5C\x8E\xA6\">\x95\x5C\x8E\xA6\x82\xD6</a>\n"
                             "<a href=\"\x83\x5C\x83\x74\x83\x67.html\">\n"
                             "<p>\x8A\x54"
                             "ax.html</p>\n"
                             "<a href=\"x.html\">\n";

class PageCharset : public TMainWindowTest {
protected:
    PageCharset() {
        Site.WriteSite({{"sjis.html", SjisPage},
                        {"ascii.html", "<meta charset=\"Shift_JIS\"><a href=\"x.html\">"},
                        {"euc.html", "<meta charset=\"EUC-JP\"><a name=\"\xB1\xE8\xB3\xD7\">"
                                     "<a href=\"euc.html#\xB1\xE8\xB3\xD7\">"},
                        {"bom.html", "\xEF\xBB\xBF<a name=\"地図\"><a href=\"bom.html#地図\">"},
                        {"utf8.html", "<h1 id=\"目次\"><a href=\"utf8.html#目次\">"},
                        {"x.html", ""}});
        Open();
        Form->SiteTreeView->expandAll();
        Services.Messages.clear(); // the report of the check
    }
    ~PageCharset() override { Form->LinkPopupMenu->hide(); }
    QString Shown(const std::string& Relative) {
        return Form->SiteTreeView->model()
            ->data(Form->TreeModel->IndexOf(Node(Relative)))
            .toString();
    }
    QStringList Anchors(const std::string& Page) {
        QStringList Texts;
        const QModelIndex Index = Form->TreeModel->IndexOf(Node(Page));
        for (int Row = 0; Row < Form->SiteTreeView->model()->rowCount(Index); ++Row)
            Texts << Form->SiteTreeView->model()->index(Row, 0, Index).data().toString();
        return Texts;
    }
    // Selects the page and clicks a link of one of its lists.
    void Click(const std::string& Page, QListWidget* List, const QString& Link) {
        Select(Page);
        ClickItem(List, Link);
    }
};

TEST_F(PageCharset, EachPagesTextsAreShownInItsOwnCharset) {
    struct TCase {
        std::string Page, Charset;
        QStringList Anchors, Valid, Invalid;
    };
    const TCase Cases[] = {
        {"sjis.html", "CP932", {"概要", "表示"}, {"sjis.html#表示", "x.html"}, {"ソフト.html"}},
        {"ascii.html", "CP932", {}, {"x.html"}, {}},
        {"euc.html", "EUC-JP", {"沿革"}, {"euc.html#沿革"}, {}},
        {"bom.html", "UTF-8", {"地図"}, {"bom.html#地図"}, {}},
        {"utf8.html", "UTF-8", {"目次"}, {"utf8.html#目次"}, {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Page);
        EXPECT_EQ(Node(C.Page)->Data->Charset.Name(), C.Charset);
        EXPECT_EQ(Shown(C.Page), QString::fromStdString(C.Page)); // file names: the code page
        EXPECT_EQ(Anchors(C.Page), C.Anchors);
        Select(C.Page);
        EXPECT_EQ(Items(Form->ValidLinkList), C.Valid);
        EXPECT_EQ(Items(Form->InvalidLinkList), C.Invalid);
        for (int Row = 0; Row < Form->ValidLinkList->count(); ++Row)
            EXPECT_EQ(Form->ValidLinkList->item(Row)->toolTip(), C.Valid.value(Row));
    }
    const QModelIndex Anchor = Form->TreeModel->IndexOf(Node("sjis.html/"
                                                             "\x95\x5C\x8E\xA6"));
    EXPECT_EQ(Anchor.data(Qt::ToolTipRole).toString(),
              QString::fromStdString(Site.Path()) + "sjis.html#表示");
}

TEST_F(PageCharset, TagJumpPiecesAreWholeCharactersOfThePage) {
    const auto Captions = [&] {
        QStringList Texts;
        for (const QAction* Item : Form->TagJumpMenu->actions())
            Texts << Item->text();
        Form->LinkPopupMenu->hide();
        return Texts;
    };
    Click("sjis.html", Form->ValidLinkList, "x.html");
    // 2 bytes before the first place are the second byte of GAI and "a": GAI comes whole.
    EXPECT_EQ(Captions(), QStringList({"6: 概ax.html</p>  <", "7: =\"x.html\">  "}));
    Click("sjis.html", Form->ValidLinkList, "sjis.html#表示");
    // 7 bytes after it end inside HE: HE comes whole.
    EXPECT_EQ(Captions(), QStringList({"4: =\"sjis.html#表示\">表示へ"}));
}

TEST_F(PageCharset, TheReplacementWritesTheNewTextInThePagesCharset) {
    const auto Replace = [&](const QString& NewText) {
        Click("sjis.html", Form->InvalidLinkList, "ソフト.html");
        Form->LinkPopupMenu->hide();
        QTimer::singleShot(0, [&, NewText] {
            EXPECT_EQ(Form->ReplaceDialog->OriginalEdit->text(), "ソフト.html");
            Form->ReplaceDialog->ReplacementEdit->setText(NewText);
            Form->ReplaceDialog->accept();
        });
        Form->ReplaceItem->trigger();
    };
    const std::string Path = Site.Path() + "sjis.html";
    Replace("😀.html");
    EXPECT_EQ(ReadWholeFile(Path), SjisPage);
    ASSERT_EQ(Services.Messages.size(), 1u);
    EXPECT_EQ(Services.Messages[0].Kind, TMessageKind::mkError);
    EXPECT_EQ(Services.Messages[0].Text,
              "置換後の文字列の「😀」(U+1F600) は、このファイルの文字コード CP932 "
              "では書き込めません。\r\nファイルは変更していません");

    Replace("表示.html");
    EXPECT_EQ(ReadWholeFile(Path),
              ReplaceAll(SjisPage, "\x83\x5C\x83\x74\x83\x67.html", "\x95\x5C\x8E\xA6.html"));
    EXPECT_EQ(Services.Messages.back().Text, "1 か所を置換しました");
}

} // namespace

// The window's texts and Qt's own in the language that LANGUAGE and LC_ALL choose. CTest runs it
// twice, once for English and once for Japanese, and says in ORVEL_EXPECTED_LANGUAGE which.
#include "GuiTestSupport.h"
#include "analysis/CheckRun.h"
#include "support/Translation.h"
#include "ui/Application.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace orvel;

TEST(Language, WindowAndQtTextsFollowTheChosenLanguage) {
    const QString Expected = qEnvironmentVariable("ORVEL_EXPECTED_LANGUAGE");
    ASSERT_FALSE(Expected.isEmpty()) << "run by CTest, which sets the language";
    // The catalogues of the build tree, two folders above the test.
    InitTranslation(
        LocaleFolderFor(QCoreApplication::applicationDirPath().toStdString() + "/../../"));
    ui::InstallQtTranslation(*QCoreApplication::instance());
    const bool English = Expected == QLatin1String("en");

    test::TTempDir Config;
    test::TRecordingServices Services;
    ui::TMainWindow Form(Services, Config.Path() + "uoorvel.ini");
    EXPECT_EQ(Form.OpenFolderButton->toolTip(),
              English ? QStringLiteral("Open the web site's folder")
                      : QStringLiteral("ホームページのフォルダを開く"));
    EXPECT_EQ(Form.InfoPages->tabText(2),
              English ? QStringLiteral("All invalid links") : QStringLiteral("無効リンク一覧"));

    // The core's texts too: the end-of-check box.
    test::TTempDir Site;
    Site.Write("index.html", "<a href=gone.html>");
    OpenFolder(Form.Run, Site.Path());
    ASSERT_FALSE(Services.Messages.empty());
    EXPECT_EQ(Services.Messages.back().Text,
              English ? "Files with invalid links: 1\r\nInvalid links in all: 1"
                      : "無効リンクを含むファイルの数 1\r\n無効リンクの総数 1");

    QMessageBox Box;
    Box.setStandardButtons(QMessageBox::Cancel);
    EXPECT_EQ(Box.button(QMessageBox::Cancel)->text().toStdString(),
              English ? "Cancel" : "キャンセル");
}

// The window's texts and Qt's own in the language that LANGUAGE and LC_ALL choose. CTest runs it
// twice, once for English and once for Japanese, and says in ORVEL_EXPECTED_LANGUAGE which.
#include "GuiTestSupport.h"
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
    const ui::TMainWindow Form(Services, Config.Path() + "uoorvel.ini");
    EXPECT_EQ(Form.OpenFolderButton->toolTip(),
              English ? QStringLiteral("Open the web site's folder")
                      : QStringLiteral("ホームページのフォルダを開く"));
    EXPECT_EQ(Form.InfoPages->tabText(2),
              English ? QStringLiteral("All invalid links") : QStringLiteral("無効リンク一覧"));

    QMessageBox Box;
    Box.setStandardButtons(QMessageBox::Cancel);
    EXPECT_EQ(Box.button(QMessageBox::Cancel)->text().toStdString(),
              English ? "Cancel" : "キャンセル");
}

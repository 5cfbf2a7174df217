// The main of the GUI tests: one application object for every test.
#include "GuiTestSupport.h"

#include "support/CodePage.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    orvel::SetCodePage(orvel::TCodePage::cpUtf8);
    QApplication App(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

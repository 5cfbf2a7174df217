// The main of the core tests.
#include "support/CodePage.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    orvel::SetCodePage(orvel::TCodePage::cpUtf8);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

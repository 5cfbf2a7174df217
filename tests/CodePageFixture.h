// A fixture for tests that read byte strings as CP932 (Shift-JIS) instead of UTF-8.
#pragma once

#include "support/CodePage.h"

#include <gtest/gtest.h>

namespace orvel::test {

// Switches the system code page to CP932 for one test and back to UTF-8 after it.
class TCp932Test : public ::testing::Test {
protected:
    void SetUp() override { SetCodePage(TCodePage::cpCp932); }
    void TearDown() override { SetCodePage(TCodePage::cpUtf8); }
};

} // namespace orvel::test

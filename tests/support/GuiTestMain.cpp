// GoogleTest main for the window tests: one application for the whole run.
#include "support/TestApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    quorvane::testing::TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The Windows tests run with COM initialised for the thread, as the program does.
#include <gtest/gtest.h>

#include "platform/Com.h"

int main(int argc, char** argv) {
    platform::TComInitializer com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

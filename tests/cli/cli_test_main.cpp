#include <gtest/gtest.h>

#include <QCoreApplication>

// The tool's commands run inside a program that owns the application object, as in zelvar-cli's
// main: they make none of their own.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

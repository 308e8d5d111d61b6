// Runs the tests inside a QApplication (offscreen unless told otherwise),
// in a process prepared as the program prepares its own.
#include "main/ProcessExit.h"
#include "main/RealPlatform.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareProcessEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    int status = 0;
    {
        QApplication app(argc, argv);
        status = RUN_ALL_TESTS();
    }
    // As the program ends: not under the feet of an engine still stopping.
    return endProcess(status);
}

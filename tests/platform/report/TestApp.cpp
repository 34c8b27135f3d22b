#include "TestApp.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class AppEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qApp) {
            static int argc = 1;
            static char name[] = "test_report";
            static char *argv[] = {name, nullptr};
            m_app = new QApplication(argc, argv);
        }
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication *m_app = nullptr;
};

[[maybe_unused]] auto *const environment =
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

// The document-screen tests run on the terminal's own application object, so an
// exception escaping an event handler goes through its error box.
#include "shell/RaldApplication.h"

#include <gtest/gtest.h>

namespace {

class ShellAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char arg0[] = "test_documents";
        static char *argv[] = {arg0, nullptr};
        m_app = new RaldApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    RaldApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const shellApp =
    ::testing::AddGlobalTestEnvironment(new ShellAppEnvironment);

} // namespace

// The shell tests run on the terminal's own application object, so an
// exception escaping an event handler goes through its error box.
#include "shell/RaldApplication.h"

#include <gtest/gtest.h>

namespace {

class ShellAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char arg0[] = "test_shell";
        static char *argv[] = {arg0, nullptr};
        // The notice board's web view: it shares GL contexts and, as root,
        // runs without its sandbox; both must be set before the application.
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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

// The start-up tests run on the terminal's own application object.
#include "Components/MirelComp/MirelPicture.h"
#include "shell/RaldApplication.h"
#include "support/UpdateFixtures.h"

#include <gtest/gtest.h>

namespace {

class StartUpAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char arg0[] = "test_main";
        static char *argv[] = {arg0, nullptr};
        m_app = new RaldApplication(argc, argv);
        // The pictures of the build's program folder.
        mirel::setPictureFolder(BuiltProgramDir() + QStringLiteral("/img/"));
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    RaldApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const startUpApp =
    ::testing::AddGlobalTestEnvironment(new StartUpAppEnvironment);

} // namespace

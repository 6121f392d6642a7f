// Test entry point for programs built on the whole engine: every module is
// up around the tests, as in the loaded library.
#include <memory>

#include "engine/modules/engine_modules.h"
#include "tests/base/environment_main.h"

namespace {

class EngineEnvironment : public testing::Environment {
public:
    void SetUp() override { engine_ = std::make_unique<EngineLifetime>(); }
    void TearDown() override { engine_.reset(); }

private:
    std::unique_ptr<EngineLifetime> engine_;
};

}  // namespace

int main(int argc, char** argv) {
    return RunTestsInside<EngineEnvironment>(argc, argv);
}

// Test entry point for programs built on the engine's services alone: the
// log and the resource module are up around the tests, as they are in the
// loaded library.
#include <memory>

#include "engine/services/vex_resource.h"
#include "tests/base/environment_main.h"
#include "tests/base/log_environment.h"

namespace {

class ServicesEnvironment : public LogEnvironment {
public:
    void SetUp() override {
        LogEnvironment::SetUp();
        resource_ = std::make_unique<VEX_Resource>();
    }
    void TearDown() override {
        resource_.reset();
        LogEnvironment::TearDown();
    }

private:
    std::unique_ptr<VEX_Resource> resource_;
};

}  // namespace

int main(int argc, char** argv) {
    return RunTestsInside<ServicesEnvironment>(argc, argv);
}

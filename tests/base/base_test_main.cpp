#include "tests/base/environment_main.h"
#include "tests/base/log_environment.h"

int main(int argc, char** argv) {
    return RunTestsInside<LogEnvironment>(argc, argv);
}

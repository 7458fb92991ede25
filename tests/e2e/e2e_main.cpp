#include <gtest/gtest.h>

#include <memory>

#include "harness.h"

// Every end-to-end test process gets an X server of its own (ctest runs each test in its own
// process), so tests never see each other's windows.
class XServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override { server = std::make_unique<veltamar::e2e::XServer>(1024, 768); }
    void TearDown() override { server.reset(); }

private:
    std::unique_ptr<veltamar::e2e::XServer> server;
};

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new XServerEnvironment);
    return RUN_ALL_TESTS();
}

// Linked into the test programs that reach the settings code: the whole process gets a private,
// empty XDG_CONFIG_HOME before any test runs, so no test can read or write the settings file of
// the person running the tests, even one that forgets its own TempConfigHome.
#include "temp_config_home.h"

namespace {

const veltamar::testsupport::TempConfigHome PROCESS_CONFIG_HOME;

}  // namespace

// The switch table: which start mode and registration root each command line gives.
#include <gtest/gtest.h>

#include "automation/ServerSwitches.h"

namespace quirel {
namespace {

struct SwitchCase {
  std::vector<std::wstring> Arguments;
  TStartMode Mode;
  bool PerUser;
};

class ServerSwitchesTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ServerSwitchesTest, GivesModeAndRoot) {
  const SwitchCase& c = GetParam();
  const TServerSwitches s = ParseServerSwitches(c.Arguments);
  EXPECT_EQ(s.StartMode, c.Mode);
  EXPECT_EQ(s.PerUser, c.PerUser);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ServerSwitchesTest,
    ::testing::Values(
        SwitchCase{{}, smStandalone, false},
        SwitchCase{{L"--type=renderer", L"pagina.html"}, smStandalone, false},
        SwitchCase{{L"/regserver"}, smRegServer, false},
        SwitchCase{{L"-RegServer"}, smRegServer, false},
        SwitchCase{{L"/REGSERVER"}, smRegServer, false},
        SwitchCase{{L"/unregserver"}, smUnregServer, false},
        SwitchCase{{L"-UnRegServer"}, smUnregServer, false},
        SwitchCase{{L"/regserverperuser"}, smRegServer, true},
        SwitchCase{{L"-RegServerPerUser"}, smRegServer, true},
        SwitchCase{{L"/unregserverperuser"}, smUnregServer, true},
        SwitchCase{{L"-Embedding"}, smAutomation, false},
        SwitchCase{{L"/automation"}, smAutomation, false},
        // The rest of the argument must be the whole word.
        SwitchCase{{L"/regserv"}, smStandalone, false},
        SwitchCase{{L"/regserverx"}, smStandalone, false},
        SwitchCase{{L"--regserver"}, smStandalone, false},
        SwitchCase{{L"regserver"}, smStandalone, false},
        SwitchCase{{L"\\regserver"}, smStandalone, false}, SwitchCase{{L"/"}, smStandalone, false},
        SwitchCase{{L"-"}, smStandalone, false},
        // The first row of the table matched by any argument wins, whatever their order.
        SwitchCase{{L"/unregserver", L"/regserver"}, smRegServer, false},
        SwitchCase{{L"/regserverperuser", L"/unregserver"}, smUnregServer, false},
        SwitchCase{{L"/unregserverperuser", L"/regserverperuser"}, smRegServer, true},
        SwitchCase{{L"/regserver", L"-Embedding"}, smAutomation, false},
        SwitchCase{{L"altro", L"-x", L"/UnRegServerPerUser"}, smUnregServer, true}));

}  // namespace
}  // namespace quirel

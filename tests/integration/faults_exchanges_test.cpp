#include "FaultSuite.h"

namespace lmr::test {
namespace {

INSTANTIATE_TEST_SUITE_P(Exchanges, FaultSuite, ::testing::ValuesIn(Cases(false)), CaseName);

}  // namespace
}  // namespace lmr::test

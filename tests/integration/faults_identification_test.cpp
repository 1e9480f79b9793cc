#include "FaultSuite.h"

namespace lmr::test {
namespace {

INSTANTIATE_TEST_SUITE_P(Identification, FaultSuite, ::testing::ValuesIn(Cases(true)), CaseName);

}  // namespace
}  // namespace lmr::test

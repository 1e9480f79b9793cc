#pragma once

// The status lives with the exchange's frame in the link, so the link can give it.
#include "link/MeterStatus.h"

#include <gtest/gtest.h>

#include "tests/e2e/fixtures.h"

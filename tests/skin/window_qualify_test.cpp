#include "skin_test_support.h"

#include "Status.h"

#include "cli/strict_json.h"

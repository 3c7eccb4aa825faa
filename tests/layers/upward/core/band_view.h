#pragma once

#include "link/frame.h"
#include "platform/paths.h"

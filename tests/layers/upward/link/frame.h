#pragma once

#include "core/band_view.h"

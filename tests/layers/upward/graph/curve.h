#pragma once

#include "controls/fader.h"

#include "graph/curve.h"
#include "tables/row.h"

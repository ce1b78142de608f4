// The proximity effect of the winding: for now none (a ratio of 1) until the model's table lands.
#include "coil_frequency.h"

double ProximityRatio(double, double, double, double) { return 1; }

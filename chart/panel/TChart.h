#pragma once

#include "chart/model/TChartModel.h"

// The chart control. The panel, painting, zoom and axis levels are added
// between it and its model level as they are built.
class TChart : public TChartModel {};

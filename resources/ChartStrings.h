#pragma once
// String ids of the chart subsystem (block 2000-, see StringIds.h).

namespace ChartStr {}  // namespace ChartStr

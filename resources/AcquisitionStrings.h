#pragma once
// String ids of the acquisition subsystem (block 1300-, see StringIds.h).

namespace AcquisitionStr {}  // namespace AcquisitionStr

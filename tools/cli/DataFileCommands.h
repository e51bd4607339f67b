#pragma once
// corvane-cli read ... and the data file that acquire --out writes.

#include <string>

struct AcquisitionSettings;
struct SpectrometerInfo;

/// read FILE --type T [--layout 0|1] [--json]: imports FILE as the Import command would for a
/// view of type T.
int runReadCommand(int argc, char** argv);

/// Writes the spectrum view's export (file type 0) with layout 0 or 1; false with error set.
bool writeSpectrumExport(const std::string& path, int layout, const SpectrometerInfo& device,
                         const AcquisitionSettings& acquisition, const double* wave,
                         const double* value, int count, std::string& error);

#pragma once
// The measurement data files: the file type table, the header, the writers shared by all views
// and the reader behind the Import command. UI thread only (the record is not locked).
//
// A file is text in code page 936, CR LF line ends, "." decimals in every UI language. Layout 0
// holds the data lines only; layout 1 adds the "[HEADER]" ... "[DATA]" block in front and
// "[END]" (without a line end) behind. Writers replace the target atomically: the text goes to
// a temporary file beside it, which is renamed over the target only when it is complete.

#include <array>
#include <string>
#include <vector>

#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"

struct SpectrometerInfo;

/// Index into the file type table.
enum DataFileType : int {
    kFileSpectrum = 0,
    kFileTransmissivity = 1,
    kFileAbsorbance = 2,
    kFileReflectivity = 3,
    kFileAbsoluteIrradiance = 4,
    kFileRelativeIrradiance = 5,
    kFileStandardLamp = 6,
    kFileWhiteBoard = 7,
    kFileCalibrateResult = 8,
    kFileColor = 9,
    kFileRaman = 10,
    kFilePower = 11,
    kFileConcentration = 12,
};

inline constexpr int kHeaderScanLines = 21;  ///< lines searched for the type name or "[DATA]"

/// Display name of type in the current UI language (empty outside 0..12).
std::string dataFileTypeName(int type);
/// Extension with its dot, ".data" ... (empty outside 0..12).
std::string dataFileExtension(int type);
/// Decimals of the Y column when a series of type is written.
int dataFileValueDecimals(int type);

/// Everything the header is made of, so that it can be built without a device or a clock.
struct DataFileHeaderFields {
    int fileType = 0;
    std::string typeName;      ///< the type's name in the UI language
    std::string modelName;     ///< device model, may be empty
    std::string serialNumber;  ///< device serial number, may be empty
    std::string date;          ///< "%Y-%m-%d %H:%M:%S"
    AcquisitionSettings acquisition;
    const std::string* xUnitLabel = nullptr;  ///< title of the active view's X unit; null: none
    const ConcentrationSettings* concentration = nullptr;  ///< used for type 12 only
    std::string appName = "Corvane";
    std::string version = "2.0.6";
};

/// Header lines "[HEADER]" to "[DATA]" with "\n" line ends (the writers turn them into CR LF).
std::string formatDataFileHeader(const DataFileHeaderFields& fields);

/// The header for type from the current state: name in the UI language, the device identity,
/// the local time now, the acquisition settings, the active view's X unit title (xUnitLabel,
/// null when no view is active) and, for type 12, data.concentration. Side effect:
/// data.fileLayout <- fileFormat.
std::string buildDataFileHeader(CSpectrumData& data, int type, int fileFormat,
                                const SpectrometerInfo& device,
                                const AcquisitionSettings& acquisition,
                                const std::string* xUnitLabel, const std::string& appName,
                                const std::string& version);

/// Writes count points as "%.3f\t%.<valueDecimals>f" lines; with data.fileLayout = 1 the header
/// goes first and "[END]" last. 1 written; 0 after a message (cannot write, or a header text
/// code page 936 cannot hold). The signature is the record's SeriesFileWriter.
int writeSeriesFile(CSpectrumData& data, const std::string& path, const std::string& header,
                    const double* x, const double* y, int count);

/// Writes text composed by the caller unchanged apart from CR LF line ends and the encoding.
int writeTextFile(CSpectrumData& data, const std::string& path, const std::string& text);

/// Reads path and stores its points by the expected type (see DataFile.cpp). 1 stored (a path
/// already loaded as an overlay adds nothing and still gives 1); 0 after a message (missing,
/// unreadable, more than 3700 points) or silently (another type in the header, no points, a
/// type that cannot be imported). Reads data.fileLayout.
int importDataFile(CSpectrumData& data, const std::string& path, int expectedType);

/// Reads a concentration file into data.records (no point limit). 1 stored or shown again.
int importConcentrationFile(CSpectrumData& data, const std::string& path);

/// The points of a data file read by the import rules, without storing them anywhere.
struct DataFileScan {
    int result = 0;  ///< 1 points found; 0 not
    bool typeMismatch = false;
    bool tooManyPoints = false;  ///< more than limit two-number lines
    std::vector<double> x, y;
};

/// The reading rules on text already in memory (UTF-8 or GBK bytes, any line ends): header scan
/// when layout is 1, then the two-number lines. limit: at most that many points are kept, and
/// tooManyPoints is set when there are more; 0 keeps all.
DataFileScan scanDataFileText(const std::string& text, int layout, int expectedType,
                              const std::array<std::string, kFileTypeCount>& typeNames, int limit);

/// Installs writeSeriesFile as the record's series writer (once at start-up).
void installSeriesFileWriter();

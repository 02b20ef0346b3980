#pragma once
// One loaded F-file: its header (FFile is an FHead), its samples as
// physical single-precision values, its name and short name, and the state
// of its coordinate axis.
//
// Failures are reported as "FFile: ..." messages (see Messages.h).

#include "FHead.h"
#include "SampleArray.h"

#include <string>
#include <string_view>

// Axis kinds, named by CTYPE1.
enum AxisKind { AxisTime = 0, AxisAngle = 1, AxisOther = 2 };

// Offset flags: corrections left out of the operation coordinates.
enum OffsetFlag {
    OffsetNoAbsolute = 1,  // CRVAL1 taken as 0 and CRPIX1 as 1
    OffsetNoHorns = 2,     // TIMEWSH and TIMEESH left out
    OffsetNoNutation = 4,  // NUT-RA left out
    OffsetPixels = 8,      // the coordinate of a sample is its index
};

// X modes of the operation coordinates (SetXMode takes 0, 1 or 3).
enum XMode { XModeTime = 0, XModeAngle = 1, XModeNone = 2, XModeOwn = 3 };

// Display units (SetUnit takes 0, 1, 2 or 4).
enum DisplayUnit { UnitSec = 0, UnitArcsec = 1, UnitRad = 2, UnitOwn = 3, UnitFileOwn = 4 };

namespace AxisConstants {
constexpr double omega = 7.27220521664304e-05;  // sky rotation, radians per second of time
constexpr double degree = 0.017453292519943295;
constexpr double arcsecPerRadian = 206264.80624709636;
constexpr double arcsecPerSecond = 15.0;
}  // namespace AxisConstants

class FFile : public FHead {
public:
    FFile() = default;
    // How a copy of another F-file is made.
    enum CopyMode {
        HeadOnly,  // header copied, count samples allocated with undefined contents
        Full,      // header and samples copied
    };
    FFile(const FFile& other, CopyMode mode);
    FFile(const FFile&) = delete;
    FFile& operator=(const FFile&) = delete;
    FFile(FFile&&) noexcept = default;
    FFile& operator=(FFile&&) noexcept = default;

    // Reads a whole F-file: header, data section, scaling to physical values.
    bool Read(const std::string& path);
    // The same, on the bytes of a file held in memory (for tests and fuzzing).
    bool ReadFromBytes(std::string_view bytes, const std::string& name);
    // Writes the F-file to its name, safely: into a temporary file in the
    // same folder, flushed to disk, then renamed over the target, so a failed
    // save leaves the old file as it was.
    bool Write();

    void SetName(std::string_view path);
    // Gives the next generated name new000.ff ... new999.ff (process-wide).
    void MakeNewName();
    const std::string& GetName() const { return name_; }
    const std::string& GetShortName() const { return shortName_; }
    bool HasName() const { return !name_.empty(); }

    // Replaces the samples and sets NAXIS1; the axis is not recomputed.
    void SetData(SampleArray samples, int count);
    // Linear interpolation in sample index at coordinate x (same unit as
    // step and origin); extrapolates along the first or last two samples.
    double ValueAt(double step, double origin, double x) const;

    int Count() const { return count_; }
    float* Data() { return samples_.data(); }
    const float* Data() const { return samples_.data(); }
    const SampleArray& Samples() const { return samples_; }

    // ---- coordinate axis ----
    void SetupAxis();
    void SetOffsets(int flags);
    bool SetXMode(int mode);
    void ComputeDisplayOrigin();
    bool SetUnit(int unit);

    std::string FormatX(double x) const;
    std::string FormatDX(double dx) const;
    std::string FormatY(double y) const;

    // Operation coordinate of sample i: (offset origin + i * offset step) * X scale.
    double OperationX(double i) const { return (offsetOrigin_ + i * offsetStep_) * xScale_; }
    // Display coordinate of sample i: (display origin + i * display step) * unit scale.
    double DisplayX(double i) const { return (displayOrigin_ + i * displayStep_) * unitScale_; }
    // Display distance of n samples.
    double DisplayDX(double n) const { return n * displayStep_ * unitScale_; }

    double OffsetStep() const { return offsetStep_; }
    double DisplayStep() const { return displayStep_; }
    double OffsetOrigin() const { return offsetOrigin_; }
    double DisplayOrigin() const { return displayOrigin_; }
    double XScale() const { return xScale_; }
    double UnitScale() const { return unitScale_; }
    const std::string& XLabel() const { return xLabel_; }
    const std::string& YUnits() const { return yUnits_; }
    const std::string& UnitLabel() const { return unitLabel_; }
    const std::string& DisplayYUnits() const { return displayYUnits_; }
    int Kind() const { return kind_; }
    int GetXMode() const { return xMode_; }
    int OffsetFlags() const { return offsetFlags_; }
    int Unit() const { return unit_; }

    // Text forms of coordinates, also used on their own.
    static std::string TimeText(double seconds);
    static std::string AngleText(double arcsec);
    static std::string NumberText(double v);
    static std::string DistanceText(double v);

    // Records whose sample bytes exceed this are read under a progress scope
    // (100 MB; tests lower it).
    static void SetProgressThreshold(long long bytes);

    // Resets the generated-name counter (tests only).
    static void ResetNameCounter(int value = 0);

    // The exact bytes the writer puts before the samples: ID=value lines,
    // END and its padding to a whole sample.
    std::string HeaderBytes() const;

private:
    bool readData(class ByteSource& data, const std::string& name);
    void reset();
    double declination() const;

    SampleArray samples_;
    int count_ = 0;
    std::string name_;
    std::string shortName_;

    double offsetStep_ = 1.0;
    double displayStep_ = 1.0;
    double offsetOrigin_ = 0.0;
    double displayOrigin_ = 0.0;
    double xScale_ = 1.0;
    double unitScale_ = 1.0;
    std::string xLabel_;
    std::string yUnits_;
    std::string unitLabel_;
    std::string displayYUnits_;
    int kind_ = AxisOther;
    int xMode_ = XModeNone;
    int offsetFlags_ = 0;
    int unit_ = UnitOwn;
};

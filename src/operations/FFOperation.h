#pragma once
// The base of every operation that combines several F-files (its operands)
// into one result, such as the correlation coefficients and the linear
// combination.
//
// What the base does, once, in Execute():
//   1. copies the operand list; its active F-file is the reference operand;
//   2. takes the overlaying settings (given to the constructor, or the
//      process-wide Tuning<OverlayTuning> record, edited first unless quiet);
//   3. InitCoordinates(): one common X grid for all operands (a common X
//      mode, the intersection of their X domains, the finest of their steps);
//   4. AssembleHead(): the output head, merged from the operands' heads;
//      then the output F-file with N samples of undefined value;
//   5. resamples every operand onto the grid by linear interpolation;
//   6. calls Compute() under the busy cursor.
//
// How a derived operation uses it:
//
//   class FFSomething : public FFOperation {
//   public:
//       explicit FFSomething(const FFList& list) : FFOperation(list) { SetHistoryName("SOMETHING"); }
//   protected:
//       bool Prepare() override {            // optional: extra preparation
//           if (!FFOperation::Prepare())     // always call the base first
//               return false;
//           ...                              // e.g. ask for coefficients
//           return true;
//       }
//       bool Compute() override {
//           for (int j = 0; j < GridSize(); ++j)   // operand k on the grid
//               OutputData()[j] = Resampled(0)[j] - Resampled(1)[j];
//           return true;
//       }
//   };
//
//   FFSomething op(list);
//   if (op.Execute()) { std::unique_ptr<FFile> result = op.TakeOutput(); ... }
//
// Operand k = 0 is the active F-file, then every other listed F-file in list
// order; Operand(k) and Resampled(k) follow that order. A list that names
// one F-file object several times gives it one operand only.
//
// Failures are reported as "FFOperation: ..." messages (see Messages.h).

#include "FFList.h"
#include "FHead.h"
#include "OverlayTuning.h"
#include "SampleArray.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FFile;

// How ResolveKeyword merges one keyword of the operands' heads.
enum class ResolveRule {
    Active,          // the active operand's text
    AllEqualText,    // the active text when every operand has exactly that text
    AllEqualWithin,  // the active text when every operand's number is within the tolerance
};

class FFOperation {
public:
    // Copies the list. With settings, they are used as given and no dialog
    // is shown; without, the process-wide record is read at Prepare.
    explicit FFOperation(const FFList& operands, const OverlayTuning* settings = nullptr);
    virtual ~FFOperation();
    FFOperation(const FFOperation&) = delete;
    FFOperation& operator=(const FFOperation&) = delete;

    // The only entry point for callers; runs at most once per object.
    bool Execute();

    // After a successful Execute: hands the output F-file to the caller,
    // named then with the next generated name (newNNN.ff). Otherwise (or
    // when taken already) nullptr.
    std::unique_ptr<FFile> TakeOutput();

    // Brings the operands onto one X grid and sets XStart, XStep, GridSize,
    // the X label and the Y units. Public so that tools can ask for the grid.
    bool InitCoordinates();

    // One keyword merged from the operands' heads; nullopt when the active
    // head lacks it or the rule is not met.
    std::optional<std::string> ResolveKeyword(std::string_view keyword, ResolveRule rule,
                                              double tolerance = 0.0) const;

    // Resamples p onto the grid xStart + j * xStep, j = 0 ... n - 1, by
    // linear interpolation in its operation coordinates (extrapolating along
    // its first or last two samples). p must have at least two samples.
    static void Resample(const FFile& p, double xStart, double xStep, int n, float* out);

    // ---- state after Prepare (and for the tests) ----
    int OperandCount() const { return static_cast<int>(order_.size()); }
    FFile* Operand(int k) const { return order_[static_cast<std::size_t>(k)]; }
    const float* Resampled(int k) const { return resampled_[static_cast<std::size_t>(k)].data(); }
    int GridSize() const { return n_; }
    double XStart() const { return xStart_; }
    double XStep() const { return xStep_; }
    const std::string& XLabel() const { return xLabel_; }
    const std::string& YUnitsText() const { return yUnits_; }
    const OverlayTuning& Settings() const { return settings_; }
    // The output F-file while the operation still owns it.
    FFile* OutputFile() const { return output_.get(); }
    bool Executed() const { return executed_; }

protected:
    // The common Y units: the active operand's BUNIT text when every operand
    // has exactly that text, otherwise nullopt.
    virtual std::optional<std::string> YUnits();
    // True when there are at least two operands.
    virtual bool CheckOperands();
    // The output head, or nullptr after a message.
    virtual std::unique_ptr<FHead> AssembleHead();
    // The common preparation; a derived Prepare calls this one first.
    virtual bool Prepare();
    // The operation's own computation, into OutputData().
    virtual bool Compute() = 0;

    // Written into the output's HISTORY as NAME(short1,short2,...).
    void SetHistoryName(std::string name) { historyName_ = std::move(name); }
    void SetProgressLabel(std::string label) { progressLabel_ = std::move(label); }
    const std::string& HistoryName() const { return historyName_; }

    // The operand list as copied (list order; the active F-file is Active()).
    FFList& Operands() { return operands_; }
    // The distinct operand F-files in list order (what the HISTORY names).
    const std::vector<FFile*>& ListedOperands() const { return listed_; }
    FFile* ActiveOperand() const { return operands_.Active(); }
    // The output samples (GridSize() of them) the derived operation fills.
    float* OutputData() { return outputData_; }

private:
    bool checkSampleCounts();
    bool prepareGrid();

    FFList operands_;
    OverlayTuning settings_;
    std::vector<FFile*> listed_;  // distinct list entries, list order
    std::vector<FFile*> order_;   // active first, then the others
    std::vector<SampleArray> resampled_;
    std::unique_ptr<FFile> output_;
    float* outputData_ = nullptr;
    bool executed_ = false;
    bool succeeded_ = false;
    std::string historyName_;
    // What the progress dialog calls the computation.
    std::string progressLabel_;
    std::string xLabel_;
    std::string yUnits_;
    double xStart_ = 0.0;
    double xStep_ = 0.0;
    int n_ = 0;
};

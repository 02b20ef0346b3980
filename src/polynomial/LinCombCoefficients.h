#pragma once
// What the "Linear Combination" dialog shows and does, free of any toolkit:
// one row per operand with its short name and its coefficient text, the four
// rules that set every coefficient (Average, Best Fit, Sum, Subtraction) and
// the editing of one row's text. The texts are authoritative: on OK each is
// converted back to a number with the C library's atof, so a coefficient of
// 1/3 shown as "0.333333" is used as 0.333333.
//
// The desktop dialog and vexil-cli both drive this model; FFLinComb hands it
// to the installed dialog hook (see FFLinComb::SetDialog).

#include <string>
#include <vector>

class LinCombCoefficients {
public:
    // Longest text the Input Dialog accepts.
    static constexpr std::size_t kMaxText = 34;

    // names: short names in operand order (active first); operands: each
    // operand's samples on the common grid, gridSize of them.
    LinCombCoefficients(std::vector<std::string> names, std::vector<const float*> operands, int gridSize);

    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Name(int row) const { return names_[static_cast<std::size_t>(row)]; }
    const std::string& Text(int row) const { return texts_[static_cast<std::size_t>(row)]; }
    // The "Input Dialog" label of a row: "File <short name>:".
    std::string EditLabel(int row) const;
    // An edited value (cut to 34 characters); no number check here.
    void SetText(int row, const std::string& text);

    void Average();
    void Sum();
    bool SubtractionEnabled() const { return Count() == 2; }
    void Subtraction();
    // The active operand's residual after the least-squares fit by the
    // others: a0 = 1, ai = −xi. False, with a message and the texts left as
    // they were, when the others are zero or linearly dependent.
    bool BestFit();

    // The coefficients as OK stores them: each text through atof.
    std::vector<double> Accept() const;

    // The text form of a coefficient: printf "%g".
    static std::string Format(double a);

private:
    void show(const std::vector<double>& a);

    std::vector<std::string> names_;
    std::vector<std::string> texts_;
    std::vector<const float*> operands_;
    int gridSize_ = 0;
};

// Best Fit on plain arrays: a[0] = 1, a[i] = −x[i−1] where x solves the
// normal equations of the active operand (operands[0]) against the others,
// with the sums of products accumulated in extended precision. False when
// the system is degenerate (a is then unchanged).
bool BestFitCoefficients(const std::vector<const float*>& operands, int gridSize, std::vector<double>& a);

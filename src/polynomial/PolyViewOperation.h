#pragma once
// What Clip, Glue and Remove trend share: each runs once on a view's
// arrays, gathers its fit points (showing its tuning dialog), fits under a
// busy cursor, and stores its result in the result array with the changed
// samples marked pending. A fit that cannot be made leaves the marks and
// the result array as they were.

#include "ViewArrays.h"

class PolyViewOperation {
public:
    virtual ~PolyViewOperation() = default;
    PolyViewOperation(const PolyViewOperation&) = delete;
    PolyViewOperation& operator=(const PolyViewOperation&) = delete;

    // True when the result waits in the result array; false after a message
    // or when the user cancelled the tuning dialog.
    bool Execute();
    virtual bool Prepare() = 0;
    // False (with a message) when the fit is singular or the fit points are
    // not finite numbers.
    virtual bool Fit() = 0;

protected:
    PolyViewOperation(ViewArrays& view, const char* className) : view_(view), className_(className) {}

    // Puts the fitted values into the result array and the marks; false
    // (with a message) when a value is beyond the single-precision range.
    virtual bool Store() = 0;
    void error(const char* message) const;
    // Records whether the fit succeeded; the message when it did not.
    bool fitted(bool ok);
    // Shows the singular-fit message and returns false.
    bool refuse() const;

    ViewArrays& view_;
    const char* className_;
    int power_ = 0;
    bool fitted_ = false;

private:
    bool executed_ = false;
};

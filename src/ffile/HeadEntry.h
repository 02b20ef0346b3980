#pragma once
// One header entry: an ID and its value, always held as text, with the
// dictionary row looked up once from the ID.

#include "KeywordDictionary.h"

#include <string>
#include <string_view>

class HeadEntry {
public:
    HeadEntry(std::string_view id, std::string_view value);
    // Plain decimal, with a minus sign when negative.
    HeadEntry(std::string_view id, int value);
    // C "%g": six significant digits, exponent form outside [1e-4, 1e6).
    HeadEntry(std::string_view id, double value);

    const std::string& GetID() const { return id_; }
    const std::string& GetValue() const { return value_; }
    void SetValue(std::string_view value) { value_ = value; }

    const KeywordSpec& GetSpec() const { return *spec_; }
    const char* GetCode() const { return spec_->code; }
    char TypeLetter() const { return spec_->typeLetter(); }
    char ClassLetter() const { return spec_->classLetter(); }
    char AccessLetter() const { return spec_->accessLetter(); }
    const char* GetDescription() const { return spec_->description; }

    static std::string FormatInt(int value);
    static std::string FormatReal(double value);
    // The usual six significant digits, or as many more as keep the text
    // within tolerance of the value. Coordinates written with six digits only
    // (43200.075 as 43200.1) would shift a long record by part of a sample.
    static std::string FormatRealWithin(double value, double tolerance);

private:
    std::string id_;
    std::string value_;
    const KeywordSpec* spec_;
};

#pragma once
// The built-in dictionary of header keywords: type, class, access, default
// and description of the 72 known IDs, in the order QControl checks them.

#include <span>
#include <string_view>

struct KeywordSpec {
    const char* id;
    // Three letters: type (i INTEGER, r REAL, s STRING), class (f FIXED,
    // c CRITICAL, _ DEFAULT), access (_ FREE, p PROTECTED, r READ-ONLY).
    const char* code;
    const char* defaultValue;  // "" when there is none
    const char* description;   // "" when there is none

    char typeLetter() const { return code[0]; }
    char classLetter() const { return code[1]; }
    char accessLetter() const { return code[2]; }
};

class KeywordDictionary {
public:
    // The 72 rows in their fixed order.
    static std::span<const KeywordSpec> Rows();
    // The row given to an ID that is not in the table: "s__", "User-defined entry".
    static const KeywordSpec& UserDefined();
    // First row whose ID equals id exactly (case-sensitive); UserDefined() if none.
    static const KeywordSpec& Lookup(std::string_view id);
    // The row, or nullptr for an ID that is not in the table.
    static const KeywordSpec* Find(std::string_view id);
};

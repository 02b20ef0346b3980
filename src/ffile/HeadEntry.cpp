#include "HeadEntry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

HeadEntry::HeadEntry(std::string_view id, std::string_view value)
    : id_(id), value_(value), spec_(&KeywordDictionary::Lookup(id))
{
}

HeadEntry::HeadEntry(std::string_view id, int value) : HeadEntry(id, std::string_view(FormatInt(value))) {}

HeadEntry::HeadEntry(std::string_view id, double value) : HeadEntry(id, std::string_view(FormatReal(value))) {}

std::string HeadEntry::FormatInt(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    return buf;
}

std::string HeadEntry::FormatReal(double value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", value);
    return buf;
}

std::string HeadEntry::FormatRealWithin(double value, double tolerance)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", value);
    if (!std::isfinite(value))
        return buf;
    for (int digits = 7; digits <= 17 && !(std::fabs(std::strtod(buf, nullptr) - value) <= tolerance); ++digits)
        std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return buf;
}

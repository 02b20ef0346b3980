#pragma once
// The samples of a record as comma-separated text for spreadsheets and
// scripts: one header line, then one line per sample with its X in the
// record's display unit, for TIME and ANGLE axes the time or angle text of
// that X, and the value. Texts are UTF-8; a missing value is written NaN.
//
//     X (SEC),TIME,Y (K)
//     43200,12:00:00.0,1.5
//
// Failures are reported as "CSV: ..." messages.

#include <cstdint>
#include <string>

class FFile;

namespace CsvExport {

// The header line and the line of sample i, without their line feeds.
std::string HeaderLine(const FFile& file);
std::string SampleLine(const FFile& file, int i);

// Writes the samples selected in marks (mark 1) to path, or every sample
// when marks is null or marks no sample selected. The file is replaced
// safely (a failed export leaves an older file as it was).
bool Write(const FFile& file, const std::uint8_t* marks, const std::string& path);

}  // namespace CsvExport

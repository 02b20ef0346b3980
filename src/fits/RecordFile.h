#pragma once
// Reading and writing a record in either of the program's formats, chosen
// by the file: FITS for the FITS names (Fits::IsFitsName) and for files
// that start like FITS, the F-file format otherwise.

#include "Fits.h"

#include <string>

class FFile;

namespace RecordFile {

// Whether path is read as FITS.
bool IsFits(const std::string& path);
bool Read(FFile& file, const std::string& path, const FitsChoice& choice = {});
// Writes to the file's name: FITS for a FITS name, an F-file otherwise.
bool Write(FFile& file);

}  // namespace RecordFile

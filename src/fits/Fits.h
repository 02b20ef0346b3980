#pragma once
// FITS files in and out, through cfitsio. What a read gives is an FFile like
// any other: header entries from the cards, samples as physical single-
// precision values, the header checked by QControl and the axis set up.
//
// A read takes the primary HDU when it is a one-dimensional image (further
// axes of length 1 allowed), else the first such image extension, or - with
// a column chosen - a numeric column of a binary or ASCII table, the
// abscissa from another column or the row index. "FILE[N]" (N counted from
// 0, the primary) or "FILE[EXTNAME]" picks the HDU. Compressed files
// (.gz) are read directly.
//
// Failures are reported as "FITS: ..." messages, or by the header check as
// "FHead: ..." messages.

#include <string>
#include <string_view>
#include <vector>

class FFile;

// The columns a table read uses: the samples, and the abscissa (empty: the
// row index, 0-based, step 1).
struct FitsChoice {
    std::string column;
    std::string xColumn;
};

struct FitsColumnInfo {
    std::string name;
    std::string unit;  // TUNIT, "" when absent
    // A time column: MJD or JD by name or a unit of days; TIME by name.
    bool time = false;
};

// What one HDU holds, for choosing what to read.
struct FitsHduInfo {
    enum Kind { Image, Table };
    int index = 0;  // 0: the primary HDU
    std::string extname;
    Kind kind = Image;
    std::vector<long long> axes;          // an image's NAXISn
    long long rows = 0;                   // a table's rows
    std::vector<FitsColumnInfo> columns;  // a table's numeric scalar columns

    // An image with a first axis and no other axis longer than 1.
    bool OneDimensional() const;
    // "2-D image 100x100" (with the multiplication sign), "no data",
    // "table of 5 rows without numeric columns" ...
    std::string Describe() const;
};

namespace Fits {

// A name FITS files go by: .fits, .fit or .fts in any case, optionally
// followed by .gz and by an HDU selector "[...]".
bool IsFitsName(std::string_view path);
// The file at path starts like a FITS file (or is gzip-compressed).
bool LooksLikeFits(const std::string& path);

bool Read(FFile& file, const std::string& path, const FitsChoice& choice = {});
// The same, on the bytes of a file held in memory (tests and fuzzing).
bool ReadFromBytes(FFile& file, std::string_view bytes, const std::string& name, const FitsChoice& choice = {});

// The HDUs of the file at path (an HDU selector is ignored).
bool Catalogue(const std::string& path, std::vector<FitsHduInfo>& hdus);

// Writes the record to its name as a one-dimensional BITPIX -32 image with
// every header entry as a card, replacing the file safely.
bool Write(const FFile& file);

}  // namespace Fits

#pragma once
// Pieces shared by the FITS reader and writer (not for other callers).

#include "Fits.h"

#include <fitsio.h>

#include <string>
#include <string_view>
#include <vector>

class FHead;

namespace FitsSupport {

constexpr const char* kClass = "FITS";

// Closes the file when it goes.
struct Handle {
    fitsfile* f = nullptr;
    ~Handle()
    {
        int status = 0;
        if (f)
            ffclos(f, &status);
    }
};

// A descriptor of path opened for reading, if path is a regular file, else
// -1. It is opened without blocking and checked on the descriptor, so a
// pipe or a device never holds the program up, nor can one be put in the
// file's place between the check and the reading.
int openRegular(const std::string& path);
// A name of the open descriptor fd for code that opens files by name
// (cfitsio, zlib): it reaches the very file that was checked.
std::string descriptorPath(int fd);

// cfitsio's short text of a status.
std::string statusText(int status);

// Whether every header card of the file (plain or gzip-compressed) or of
// the bytes is printable ASCII, as FITS requires; cfitsio is not given
// headers that are not.
bool headersPrintable(const std::string& path);
bool headersPrintable(std::string_view bytes);
// False for a gzip file whose stream ends early or fails its checksum or
// length check; true for any other file (cfitsio judges those).
bool compressionIntact(const std::string& path);

// Every HDU of an open file, or false with status set. A damaged HDU after
// a readable one ends the list rather than the read.
bool catalogue(fitsfile* f, std::vector<FitsHduInfo>& hdus, int& status);

// Header cards of the current HDU appended to head (structure keywords
// left out; COMMENT and HISTORY cards joined into one entry each).
bool readCards(fitsfile* f, FHead& head, bool table, int& status);
// Entries of head written as cards; the IDs that could not be carried
// exactly go to notKept.
void writeCards(fitsfile* f, const FHead& head, std::vector<std::string>& notKept, int& status);

// Reads the chosen HDU of an open file into file; the messages name the
// file by displayName. size: the file's real size when cfitsio's idea of it
// is larger (-1: cfitsio's).
bool readOpen(FFile& file, fitsfile* f, const std::string& displayName, const std::string& selector,
              const FitsChoice& choice, long long size = -1);

// COMMENT and HISTORY texts in the cards' 72 columns, and back. A card
// filled to its last column was cut there and goes on in the next card;
// shorter cards are joined with a blank.
std::vector<std::string> splitCommentary(std::string_view text);
struct Commentary {
    std::string text;
    bool continues = false;
    void add(std::string_view cardText);
};

}  // namespace FitsSupport

// Reading a FITS file: opening it (from disk or memory), choosing the HDU
// and column, and reading the samples.

#include "FitsSupport.h"

#include "ColumnAxis.h"
#include "FFile.h"
#include "HeadEntry.h"
#include "Messages.h"

#include <climits>
#include <cmath>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace FitsSupport;

namespace {

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

void fail(const std::string& message) { Messages::error(kClass, message); }

const FitsColumnInfo* findColumn(const FitsHduInfo& hdu, const std::string& name)
{
    for (const FitsColumnInfo& c : hdu.columns)
        if (sameName(c.name, name))
            return &c;
    return nullptr;
}

std::string hduName(const FitsHduInfo& hdu)
{
    return "HDU " + std::to_string(hdu.index) + (hdu.extname.empty() ? "" : " " + hdu.extname);
}

// The refusal of a file without anything to read, naming what it holds.
void refuseContents(const std::vector<const FitsHduInfo*>& hdus, const std::string& name, bool withColumns)
{
    std::string what;
    if (withColumns) {
        for (const FitsHduInfo* h : hdus) {
            if (h->kind != FitsHduInfo::Table || h->columns.empty())
                continue;
            what += (what.empty() ? "" : "; ") + hduName(*h) + ":";
            for (std::size_t i = 0; i < h->columns.size(); ++i)
                what += (i ? ", " : " ") + h->columns[i].name;
        }
        fail("no one-dimensional image in " + name + "; choose a table column: " + what);
        return;
    }
    for (const FitsHduInfo* h : hdus)
        what += (what.empty() ? "" : "; ") + ("HDU " + std::to_string(h->index)) + ": " + h->Describe();
    fail("no one-dimensional image or table column in " + name + " (" + what + ")");
}

// The HDU to read among the candidates (all HDUs, or the one selected).
const FitsHduInfo* choose(const std::vector<const FitsHduInfo*>& hdus, const std::string& name,
                          const FitsChoice& choice, bool selected)
{
    if (!choice.column.empty()) {
        for (const FitsHduInfo* h : hdus)
            if (h->kind == FitsHduInfo::Table && findColumn(*h, choice.column))
                return h;
        if (selected)
            fail(hduName(*hdus.front()) + " of " + name + " has no numeric column " + choice.column);
        else
            fail("no table in " + name + " has a numeric column " + choice.column);
        return nullptr;
    }
    for (const FitsHduInfo* h : hdus)
        if (h->OneDimensional())
            return h;
    bool columns = false;
    for (const FitsHduInfo* h : hdus)
        columns = columns || (h->kind == FitsHduInfo::Table && !h->columns.empty());
    refuseContents(hdus, name, columns);
    return nullptr;
}

// Refuses data the file does not hold before anything is allocated for it.
bool sizeFits(fitsfile* f, const FitsHduInfo& hdu, long long count, const std::string& name, long long size,
              int& status)
{
    long long headStart = 0;
    long long dataStart = 0;
    long long dataEnd = 0;
    if (ffghadll(f, &headStart, &dataStart, &dataEnd, &status))
        return false;
    if (size < 0)
        size = f->Fptr->logfilesize;
    // A tile-compressed image stores fewer bytes than it has samples, but
    // no compression makes a float out of less than a thousandth of a byte.
    const bool compressed = fits_is_compressed_image(f, &status);
    if (compressed ? count / 1024 > size : dataEnd > size) {
        fail(name + " is truncated: " + hduName(hdu) + " needs " + std::to_string(dataEnd) + " bytes, the file has " +
             std::to_string(size));
        return false;
    }
    if (count > INT_MAX) {
        fail(hduName(hdu) + " of " + name + " holds more samples than a record can");
        return false;
    }
    return true;
}

}  // namespace

namespace {

// Sets the axis entries from the abscissa column (or the row index).
bool tableAxis(FFile& file, fitsfile* f, const FitsHduInfo& hdu, int xcol, const FitsColumnInfo* x,
               const std::string& name, int& status)
{
    if (!x) {
        file.SetText("CTYPE1", "ROW");
        file.SetReal("CRVAL1", 0.0);
        file.SetReal("CRPIX1", 1.0);
        file.SetReal("CDELT1", 1.0);
        return true;
    }
    std::vector<double> values(static_cast<std::size_t>(hdu.rows));
    double nan = NAN;
    int anynul = 0;
    if (hdu.rows > 0 && ffgcv(f, TDOUBLE, xcol, 1, 1, hdu.rows, &nan, values.data(), &anynul, &status))
        return false;
    EvenSpacing fit;
    if (!ColumnAxis::FitEvenSpacing(values.data(), hdu.rows, fit)) {
        fail("column " + x->name + " of " + name +
             (hdu.rows < 2 ? " has fewer than two rows to give a step" : " has undefined values"));
        return false;
    }
    const double relative = fit.step != 0.0 ? fit.maxDeviation / std::fabs(fit.step) : INFINITY;
    if (!ColumnAxis::Even(fit)) {
        char text[200];
        std::snprintf(text, sizeof text, "column %s of %s is not evenly spaced: row %lld lies %.3g steps off",
                      x->name.c_str(), name.c_str(), fit.worstRow, relative);
        fail(text);
        return false;
    }
    std::string upperName = x->name;
    for (char& c : upperName)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool days = x->time && upperName != "TIME";
    double start = fit.start;
    double step = fit.step;
    std::string unit = x->unit.empty() ? x->name : x->unit;
    if (days) {
        // Julian Dates start their days at noon.
        const double mjd = upperName == "JD" || fit.start > 2400000.0 ? fit.start - 2400000.5 : fit.start;
        start = ColumnAxis::SecondsOfDay(mjd);
        step = fit.step * 86400.0;
        unit = "s";
        if (!file.Has("DATE-OBS") && !ColumnAxis::Date(mjd).empty())
            file.SetText("DATE-OBS", ColumnAxis::Date(mjd));
        file.SetText("CTYPE1", "TIME");
    } else {
        file.SetText("CTYPE1", unit);
    }
    // Enough digits that neither the start nor the last sample moves by more
    // than a thousandth of a step.
    const double n = static_cast<double>(std::max<long long>(hdu.rows, 1));
    file.SetText("CRVAL1", HeadEntry::FormatRealWithin(start, std::fabs(step) * 1e-3));
    file.SetReal("CRPIX1", 1.0);
    file.SetText("CDELT1", HeadEntry::FormatRealWithin(step, std::fabs(step) * 1e-3 / n));
    char note[200];
    std::snprintf(note, sizeof note, "X from column %s: step %.6g %s, largest deviation from even spacing %.3g of a step",
                  x->name.c_str(), step, unit.c_str(), relative);
    file.SetText("COMMENT", file.Has("COMMENT") ? file.GetText("COMMENT") + " " + note : std::string(note));
    return true;
}

int columnNumber(fitsfile* f, const std::string& name, int& status)
{
    int col = 0;
    ffgcno(f, CASEINSEN, const_cast<char*>(name.c_str()), &col, &status);
    return col;
}

}  // namespace

bool FitsSupport::readOpen(FFile& file, fitsfile* f, const std::string& displayName, const std::string& selector,
                           const FitsChoice& choice, long long size)
{
    file.SetData(SampleArray(), 0);
    file.Clear();
    int status = 0;
    std::vector<FitsHduInfo> hdus;
    if (!catalogue(f, hdus, status)) {
        fail("can't read " + displayName + ": " + statusText(status));
        return false;
    }
    std::vector<const FitsHduInfo*> candidates;
    const bool number = !selector.empty() && selector.size() < 9 &&
                        selector.find_first_not_of("0123456789") == std::string::npos;
    for (const FitsHduInfo& h : hdus)
        if (selector.empty() || (number ? h.index == std::stoi(selector) : sameName(h.extname, selector)))
            candidates.push_back(&h);
    if (candidates.empty()) {
        fail("no HDU " + selector + " in " + displayName);
        return false;
    }
    if (!selector.empty())
        candidates.resize(1);
    const FitsHduInfo* hdu = choose(candidates, displayName, choice, !selector.empty());
    if (!hdu)
        return false;
    const bool table = hdu->kind == FitsHduInfo::Table;
    const FitsColumnInfo* x = nullptr;
    if (table && !choice.xColumn.empty()) {
        x = findColumn(*hdu, choice.xColumn);
        if (!x) {
            fail(hduName(*hdu) + " of " + displayName + " has no numeric column " + choice.xColumn);
            return false;
        }
    }
    const long long count = table ? hdu->rows : hdu->axes.front();
    int type = 0;
    if (ffmahd(f, hdu->index + 1, &type, &status) || !sizeFits(f, *hdu, count, displayName, size, status)) {
        if (status)
            fail("can't read " + displayName + ": " + statusText(status));
        return false;
    }

    file.SetText("SIMPLE", "T");
    file.SetText("BITPIX", "-32");
    file.SetText("NAXIS", "1");
    file.SetInt("NAXIS1", static_cast<int>(count));
    if (!readCards(f, file, table, status)) {
        fail("can't read " + displayName + ": " + statusText(status));
        return false;
    }
    // The samples are physical values from here on.
    for (const char* key : {"BSCALE", "BZERO"})
        if (file.Has(key))
            file.SetReal(key, std::string_view(key) == "BSCALE" ? 1.0 : 0.0);

    SampleArray samples(count);
    float nan = NAN;
    int anynul = 0;
    if (table) {
        const FitsColumnInfo* y = findColumn(*hdu, choice.column);
        file.SetText("BUNIT", y->unit.empty() ? y->name : y->unit);
        const int ycol = columnNumber(f, y->name, status);
        const int xcol = x ? columnNumber(f, x->name, status) : 0;
        if (status == 0 && count > 0)
            ffgcv(f, TFLOAT, ycol, 1, 1, count, &nan, samples.data(), &anynul, &status);
        if (status == 0 && !tableAxis(file, f, *hdu, xcol, x, displayName, status) && status == 0)
            return false;
    } else if (count > 0) {
        // Integer samples equal to BLANK become NaN; float samples keep
        // their NaNs without a test per sample.
        int bitpix = 0;
        ffgidt(f, &bitpix, &status);
        ffgpv(f, TFLOAT, 1, count, bitpix > 0 ? &nan : nullptr, samples.data(), &anynul, &status);
    }
    if (status) {
        fail("can't read " + displayName + ": " + statusText(status));
        return false;
    }
    if (!file.QControl())
        return false;
    file.SetData(std::move(samples), static_cast<int>(count));
    file.SetupAxis();
    file.SetName(displayName);
    return true;
}

namespace {

// "FILE[SEL]" when FILE is not itself the name of a file: FILE and SEL.
void splitSelector(const std::string& path, std::string& root, std::string& selector)
{
    root = path;
    selector.clear();
    struct stat st {};
    if (path.empty() || path.back() != ']' || ::stat(path.c_str(), &st) == 0)
        return;
    const std::size_t open = path.rfind('[');
    if (open == std::string::npos || open == 0)
        return;
    root = path.substr(0, open);
    selector = path.substr(open + 1, path.size() - open - 2);
}

bool openDisk(const std::string& path, Handle& h, std::string& selector)
{
    std::string root;
    splitSelector(path, root, selector);
    if (selector.empty() && root != path) {  // "FILE[]"
        fail("empty HDU selector in " + path);
        return false;
    }
    // Folders, pipes and devices are refused at once, like missing files.
    const int fd = openRegular(root);
    if (fd < 0) {
        fail("can't open input file " + path);
        return false;
    }
    const std::string via = descriptorPath(fd);
    bool ok = false;
    int status = 0;
    if (!headersPrintable(via)) {
        fail("can't read " + path + ": a header card holds characters other than printable ASCII");
    } else if (!compressionIntact(via)) {
        fail("can't read " + path + ": the compressed file ends early or is damaged");
    } else if (ffdkopn(&h.f, via.c_str(), READONLY, &status)) {
        // The name is taken literally: no URLs, filters or other cfitsio syntax.
        h.f = nullptr;
        fail("can't read " + path + ": " + statusText(status));
    } else {
        ok = true;
    }
    ::close(fd);
    return ok;
}

}  // namespace

namespace Fits {

bool Read(FFile& file, const std::string& path, const FitsChoice& choice)
{
    Handle h;
    std::string selector;
    if (!openDisk(path, h, selector)) {
        file.SetData(SampleArray(), 0);
        file.Clear();
        return false;
    }
    return readOpen(file, h.f, path, selector, choice);
}

bool ReadFromBytes(FFile& file, std::string_view bytes, const std::string& name, const FitsChoice& choice)
{
    // cfitsio reads memory files in whole 2880-byte blocks, past the end of
    // a shorter last block: it gets a copy filled up with zeros, while the
    // size check below keeps to the bytes given.
    if (!headersPrintable(bytes)) {
        fail("can't read " + name + ": a header card holds characters other than printable ASCII");
        return false;
    }
    std::vector<char> copy(bytes.begin(), bytes.end());
    copy.resize((bytes.size() + 2879) / 2880 * 2880 + 2880, '\0');
    Handle h;
    void* buffer = copy.data();
    std::size_t size = copy.size();
    int status = 0;
    if (ffomem(&h.f, name.c_str(), READONLY, &buffer, &size, 0, nullptr, &status)) {
        h.f = nullptr;
        fail("can't read " + name + ": " + statusText(status));
        return false;
    }
    return readOpen(file, h.f, name, "", choice, static_cast<long long>(bytes.size()));
}

bool Catalogue(const std::string& path, std::vector<FitsHduInfo>& hdus)
{
    Handle h;
    std::string selector;
    if (!openDisk(path, h, selector))
        return false;
    int status = 0;
    if (!catalogue(h.f, hdus, status)) {
        fail("can't read " + path + ": " + statusText(status));
        return false;
    }
    return true;
}

}  // namespace Fits

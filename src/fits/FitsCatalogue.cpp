// What the HDUs of a FITS file hold, and how they are named in messages.

#include "FitsSupport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <unistd.h>

namespace {

bool numericType(int typecode)
{
    switch (typecode) {
    case TBYTE: case TSBYTE: case TSHORT: case TUSHORT: case TINT: case TUINT:
    case TLONG: case TULONG: case TLONGLONG: case TFLOAT: case TDOUBLE:
        return true;
    default:
        return false;
    }
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A string keyword of the current HDU, "" when it is absent.
std::string stringKey(fitsfile* f, const std::string& key)
{
    char value[FLEN_VALUE] = "";
    int status = 0;
    if (ffgkys(f, key.c_str(), value, nullptr, &status) != 0) {
        ffcmsg();
        return {};
    }
    std::string s(value);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

bool tableColumns(fitsfile* f, FitsHduInfo& hdu, int& status)
{
    int ncols = 0;
    if (ffgnrwll(f, &hdu.rows, &status) || ffgncl(f, &ncols, &status))
        return false;
    for (int c = 1; c <= ncols; ++c) {
        int typecode = 0;
        long long repeat = 0;
        long long width = 0;
        if (ffgtclll(f, c, &typecode, &repeat, &width, &status))
            return false;
        if (!numericType(typecode) || repeat != 1)
            continue;
        FitsColumnInfo col;
        col.name = stringKey(f, "TTYPE" + std::to_string(c));
        col.unit = stringKey(f, "TUNIT" + std::to_string(c));
        if (col.name.empty())
            continue;  // a column without a name cannot be asked for
        const std::string name = upper(col.name);
        const std::string unit = upper(col.unit);
        col.time = name == "MJD" || name == "JD" || name == "TIME" || unit == "D" || unit == "DAY" || unit == "DAYS";
        hdu.columns.push_back(col);
    }
    return true;
}

bool describeCurrent(fitsfile* f, int index, FitsHduInfo& hdu, int& status)
{
    hdu = FitsHduInfo();
    hdu.index = index;
    hdu.extname = stringKey(f, "EXTNAME");
    int type = 0;
    if (ffghdt(f, &type, &status))
        return false;
    if (type == IMAGE_HDU) {
        int naxis = 0;
        if (ffgidm(f, &naxis, &status))
            return false;
        hdu.axes.assign(static_cast<std::size_t>(std::max(naxis, 0)), 0);
        return naxis <= 0 || ffgiszll(f, naxis, hdu.axes.data(), &status) == 0;
    }
    hdu.kind = FitsHduInfo::Table;
    return tableColumns(f, hdu, status);
}

}  // namespace

bool FitsHduInfo::OneDimensional() const
{
    if (kind != Image || axes.empty())
        return false;
    return std::all_of(axes.begin() + 1, axes.end(), [](long long n) { return n == 1; });
}

std::string FitsHduInfo::Describe() const
{
    if (kind == Table) {
        std::string s = "table of " + std::to_string(rows) + " rows";
        return columns.empty() ? s + " without numeric columns" : s;
    }
    if (axes.empty())
        return "no data";
    std::string s = std::to_string(axes.size()) + "-D image ";
    for (std::size_t i = 0; i < axes.size(); ++i)
        s += (i ? "\xD7" : "") + std::to_string(axes[i]);
    return s;
}

namespace FitsSupport {

std::string statusText(int status)
{
    char text[FLEN_STATUS] = "";
    ffgerr(status, text);
    ffcmsg();
    return text;
}

bool catalogue(fitsfile* f, std::vector<FitsHduInfo>& hdus, int& status)
{
    hdus.clear();
    for (int k = 1;; ++k) {
        int type = 0;
        if (ffmahd(f, k, &type, &status) == 0) {
            FitsHduInfo hdu;
            if (describeCurrent(f, k - 1, hdu, status)) {
                hdus.push_back(hdu);
                continue;
            }
        }
        if (status == END_OF_FILE || !hdus.empty()) {
            status = 0;
            ffcmsg();
            return !hdus.empty();
        }
        return false;
    }
}

}  // namespace FitsSupport

namespace Fits {

bool IsFitsName(std::string_view path)
{
    std::string p(path);
    if (!p.empty() && p.back() == ']') {
        const std::size_t open = p.rfind('[');
        if (open != std::string::npos)
            p.erase(open);
    }
    p = upper(p);
    if (p.size() > 3 && p.compare(p.size() - 3, 3, ".GZ") == 0)
        p.resize(p.size() - 3);
    for (std::string_view ext : {".FITS", ".FIT", ".FTS"}) {
        if (p.size() > ext.size() && p.compare(p.size() - ext.size(), ext.size(), ext) == 0)
            return true;
    }
    return false;
}

bool LooksLikeFits(const std::string& path)
{
    const int fd = FitsSupport::openRegular(path);
    if (fd < 0)
        return false;
    char head[80] = {};
    std::size_t n = 0;
    while (n < sizeof head) {
        const ssize_t got = ::read(fd, head + n, sizeof head - n);
        if (got <= 0)
            break;
        n += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (n >= 2 && static_cast<unsigned char>(head[0]) == 0x1F && static_cast<unsigned char>(head[1]) == 0x8B)
        return true;
    // A FITS header is 80-column cards without line feeds, the keyword
    // padded to eight columns; an F-file is lines of text.
    const std::string_view card(head, n);
    return n == sizeof head && card.substr(0, 9) == "SIMPLE  =" && card.find('\n') == std::string_view::npos;
}

}  // namespace Fits

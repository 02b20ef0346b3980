#include "CsvExport.h"

#include "FFile.h"
#include "Messages.h"
#include "SafeSave.h"
#include "ViewArrays.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <unistd.h>

namespace {

constexpr const char* kClass = "CSV";

// A field as RFC 4180 wants it: quoted when it holds a comma, a quote or a
// line break, quotes doubled.
std::string field(std::string_view text)
{
    std::string utf8 = latin1ToUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

// The shortest text that reads back to the same number.
template <typename T>
std::string number(T v)
{
    if (std::isnan(v))
        return "NaN";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// The time or angle text of sample i, from the coordinate in the axis's
// own unit (seconds or radians) whatever the display unit.
std::string coordinateText(const FFile& f, int i)
{
    const double own = f.DisplayOrigin() + i * f.DisplayStep();
    if (f.Kind() == AxisTime)
        return FFile::TimeText(own);
    return FFile::AngleText(own * AxisConstants::arcsecPerRadian);
}

bool writeAll(int fd, const std::string& text)
{
    const char* p = text.data();
    std::size_t n = text.size();
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

}  // namespace

namespace CsvExport {

std::string HeaderLine(const FFile& file)
{
    std::string line = field("X (" + file.UnitLabel() + ")");
    if (file.Kind() == AxisTime)
        line += ",TIME";
    else if (file.Kind() == AxisAngle)
        line += ",ANGLE";
    return line + "," + field("Y (" + file.DisplayYUnits() + ")");
}

std::string SampleLine(const FFile& file, int i)
{
    std::string line = number(file.DisplayX(i));
    if (file.Kind() != AxisOther) {
        line += ',';
        line += field(coordinateText(file, i));
    }
    line += ',';
    line += number(file.Data()[i]);
    return line;
}

bool Write(const FFile& file, const std::uint8_t* marks, const std::string& path)
{
    const int n = file.Count();
    bool anySelected = false;
    for (int i = 0; marks && i < n && !anySelected; ++i)
        anySelected = marks[i] == MarkSelected;

    SafeSave save;
    bool ok = save.begin(path);
    std::string block = HeaderLine(file) + "\n";
    for (int i = 0; ok && i < n; ++i) {
        if (anySelected && marks[i] != MarkSelected)
            continue;
        block += SampleLine(file, i);
        block += '\n';
        if (block.size() >= (1u << 16)) {
            ok = writeAll(save.fd(), block);
            block.clear();
        }
    }
    ok = ok && writeAll(save.fd(), block) && save.commit();
    if (!ok)
        Messages::error(kClass, "write error");
    return ok;
}

}  // namespace CsvExport

#include "RecordFile.h"

#include "FFile.h"

#include <sys/stat.h>

namespace RecordFile {

bool IsFits(const std::string& path)
{
    if (Fits::IsFitsName(path))
        return true;
    // Only a regular file is looked into: reading a pipe would hold us up.
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && Fits::LooksLikeFits(path);
}

bool Read(FFile& file, const std::string& path, const FitsChoice& choice)
{
    return IsFits(path) ? Fits::Read(file, path, choice) : file.Read(path);
}

bool Write(FFile& file)
{
    return Fits::IsFitsName(file.GetName()) ? Fits::Write(file) : file.Write();
}

}  // namespace RecordFile

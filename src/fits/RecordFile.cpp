#include "RecordFile.h"

#include "FFile.h"

namespace RecordFile {

bool IsFits(const std::string& path)
{
    // LooksLikeFits looks only into regular files: reading a pipe would hold us up.
    return Fits::IsFitsName(path) || Fits::LooksLikeFits(path);
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
